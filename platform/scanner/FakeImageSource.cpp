#include "platform/scanner/FakeImageSource.h"

namespace scanner {

FakeImageSource::FakeImageSource(QImage image) : m_installed(imageSource.replace(*this))
{
    setImage(std::move(image));
}

Acquired FakeImageSource::acquire(QWidget* parent)
{
    ++m_calls;
    m_lastParent = parent;
    if (m_result.status == Acquired::Status::Done && m_result.image.isNull())
        return Acquired::failed(QStringLiteral("No image was given to the test source."));
    return m_result;
}

Opened FakeImageSource::open()
{
    ++m_opens;
    return {nullptr, m_openError};
}

bool FakeImageSource::chooseSource(QWidget* owner)
{
    m_chooserOwners.append(owner);
    return m_chooseResult;
}

} // namespace scanner
