#pragma once

#include <QImage>
#include <QString>

// A picture box that is never shown: holds one loaded picture and tells its size in screen
// twips, as the card drawing needs it to place a bitmap.
class PictureHolder
{
public:
    // Loads a picture file (BMP, PNG, JPEG, GIF...). Raises 53 when the file is missing and 481
    // when it is no picture; the previous picture stays then.
    void loadPicture(const QString& strFileName);
    void clear() { m_picture = QImage(); }

    const QImage& picture() const { return m_picture; }

    // The picture's size in screen twips; 0 without a picture.
    double Width() const;
    double Height() const;

private:
    QImage m_picture;
};
