#include "capture/PictureHolder.h"

#include "platform/ui/Screen.h"
#include "platform/vb/VbError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

namespace {

constexpr long InvalidPicture = 481;

} // namespace

void PictureHolder::loadPicture(const QString& strFileName)
{
    if (!QFileInfo(strFileName).isFile())
        throw vb::Error::runtime(vb::err::FileNotFound, QCoreApplication::applicationName());
    QImageReader reader(strFileName);
    QImage picture = reader.read();
    if (picture.isNull())
        throw vb::Error(InvalidPicture, QCoreApplication::applicationName(), QStringLiteral("Invalid picture"));
    m_picture = std::move(picture);
}

double PictureHolder::Width() const
{
    return ui::pixelsToTwipsX(m_picture.width());
}

double PictureHolder::Height() const
{
    return ui::pixelsToTwipsY(m_picture.height());
}
