#include "platform/scanner/FakeImageSource.h"

namespace scanner {

FakeImageSource::FakeImageSource(QImage image) : m_previous(setImageSource(this))
{
    setImage(std::move(image));
}

FakeImageSource::~FakeImageSource()
{
    setImageSource(m_previous);
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

} // namespace scanner
