#include "platform/print/PrintTypes.h"

namespace print {

namespace {

QString opName(DrawOp op)
{
    switch (op) {
    case DrawOp::Text:
        return QStringLiteral("Text");
    case DrawOp::Line:
        return QStringLiteral("Line");
    case DrawOp::Box:
        return QStringLiteral("Box");
    case DrawOp::FilledBox:
        return QStringLiteral("FilledBox");
    case DrawOp::Picture:
        return QStringLiteral("Picture");
    case DrawOp::SetClip:
        return QStringLiteral("SetClip");
    case DrawOp::ReleaseClip:
        return QStringLiteral("ReleaseClip");
    case DrawOp::StartDoc:
        return QStringLiteral("StartDoc");
    case DrawOp::StartPage:
        return QStringLiteral("StartPage");
    case DrawOp::EndPage:
        return QStringLiteral("EndPage");
    case DrawOp::NewPage:
        return QStringLiteral("NewPage");
    case DrawOp::EndDoc:
        return QStringLiteral("EndDoc");
    case DrawOp::KillDoc:
        return QStringLiteral("KillDoc");
    }
    return QString();
}

QString point(const QPointF& p)
{
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

QString pixel(const QPoint& p)
{
    return QStringLiteral("[%1,%2]").arg(p.x()).arg(p.y());
}

} // namespace

QString DrawCall::toString() const
{
    QString line = opName(op);
    if (deviceContext)
        line += QStringLiteral(" (dc)");
    line += u' ' + point(from) + u'-' + point(to) + u' ' + pixel(fromPx) + u'-' + pixel(toPx);
    if (op == DrawOp::Text || op == DrawOp::StartDoc)
        line += QStringLiteral(" '") + text + u'\'';
    if (op == DrawOp::Text)
        line += QStringLiteral(" %1 %2px").arg(font.family()).arg(font.pixelSize());
    if (op == DrawOp::Picture)
        line += QStringLiteral(" %1x%2").arg(picture.width()).arg(picture.height());
    return line;
}

QStringList textLines(const QString& text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return {text};
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return unified.split(u'\n');
}

} // namespace print
