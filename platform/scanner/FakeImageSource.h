#pragma once

#include "platform/scanner/ImageSource.h"

namespace scanner {

// An image source for tests: hands out a given image (or a given failure) instead of scanning.
// While it lives it is the current image source.
class FakeImageSource : public ImageSource
{
public:
    explicit FakeImageSource(QImage image = {});
    ~FakeImageSource() override;

    // The next acquisitions give this image.
    void setImage(QImage image) { m_result = Acquired::done(std::move(image)); }
    // The next acquisitions end with this outcome (a failure or a cancel).
    void setResult(Acquired result) { m_result = std::move(result); }

    // The source cannot be made ready, for this reason (empty: it can).
    void setOpenError(QString error) { m_openError = std::move(error); }

    Acquired acquire(QWidget* parent) override;
    Opened open() override;

    int calls() const { return m_calls; }
    int opens() const { return m_opens; }
    QWidget* lastParent() const { return m_lastParent; }

private:
    ImageSource* m_previous;
    Acquired m_result;
    QString m_openError;
    int m_calls = 0;
    int m_opens = 0;
    QWidget* m_lastParent = nullptr;
};

} // namespace scanner
