#pragma once

#include <QString>
#include <QtGlobal>

// What the page printing needs of a layout window: its layout type, which positions print,
// and the impression file each position shows. Implemented by the layout window.
class IPrintableSheet
{
public:
    virtual ~IPrintableSheet() = default;

    // The layout type: 0 Avery, 1 Corvel labels, 2 Corvel template.
    virtual qint16 getPrintingMode() const = 0;
    // True when position nPosition (0..9) is printed.
    virtual bool isPositionPrintable(qint16 nPosition) const = 0;
    // The impression file of position p; empty for an empty position.
    virtual QString getPositionFileName(qint16 p) const = 0;
};
