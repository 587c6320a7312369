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

    Acquired acquire(QWidget* parent) override;

    int calls() const { return m_calls; }
    QWidget* lastParent() const { return m_lastParent; }

private:
    ImageSource* m_previous;
    Acquired m_result;
    int m_calls = 0;
    QWidget* m_lastParent = nullptr;
};

} // namespace scanner
