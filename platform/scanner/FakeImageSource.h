#pragma once

#include "platform/scanner/ImageSource.h"

#include <QList>

namespace scanner {

// An image source for tests: hands out a given image (or a given failure) instead of scanning,
// and answers the source chooser as told. While it lives it is the current image source.
class FakeImageSource : public ImageSource
{
public:
    explicit FakeImageSource(QImage image = {});

    // The next acquisitions give this image.
    void setImage(QImage image) { m_result = Acquired::done(std::move(image)); }
    // The next acquisitions end with this outcome (a failure or a cancel).
    void setResult(Acquired result) { m_result = std::move(result); }
    // What the chooser answers: a source chosen (true) or cancelled.
    void setChooseResult(bool chosen) { m_chooseResult = chosen; }

    // The source cannot be made ready, for this reason (empty: it can).
    void setOpenError(QString error) { m_openError = std::move(error); }

    Acquired acquire(QWidget* parent) override;
    Opened open() override;
    bool chooseSource(QWidget* owner) override;

    int calls() const { return m_calls; }
    int opens() const { return m_opens; }
    QWidget* lastParent() const { return m_lastParent; }
    // The owners of the choosers shown, in order.
    const QList<QWidget*>& chooserOwners() const { return m_chooserOwners; }

private:
    service::Service<ImageSource>::Override m_installed;
    Acquired m_result;
    QString m_openError;
    int m_calls = 0;
    int m_opens = 0;
    QWidget* m_lastParent = nullptr;
    bool m_chooseResult = true;
    QList<QWidget*> m_chooserOwners;
};

} // namespace scanner
