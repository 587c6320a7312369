#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QtGlobal>

// What one card position of the layout window shows: the impression's display name and file,
// The Corvel Words in the two label blocks, and the symbol picture with its place in the card
// (twips). Copying a position copies this; its visibility is kept apart.
struct CardContent
{
    QString caption; // the display name; empty for an empty position
    QString tag;     // the full path of the impression file
    QFont topFont;
    QString topCaption; // lines 1 to 3 of the words, joined by CR
    QFont bottomFont;
    QString bottomCaption; // lines 4 to 6
    QPixmap picture;       // shared between positions that show one symbol
    qint16 pictureLeft = 0;
    qint16 pictureTop = 0;
    qint16 pictureWidth = 0;
    qint16 pictureHeight = 0;
};
