#pragma once

// The layout window's sheet on screen, in twips: ten card frames inside the sheet frame, five
// rows of two, and the controls inside each card. The on-screen card is the printed card at
// 0.4 of its size.
namespace cardGeometry {

constexpr int SheetWidth = 5652;
constexpr int SheetHeight = 6780;

constexpr int CardWidth = 2016;
constexpr int CardHeight = 1262;
constexpr int ColumnLeft[2] = {480, 3120};
constexpr int FirstRowTop = 120;
constexpr int RowPitch = 1320;

// The rectangle drawn around the working position, 20 twips outside its card frame.
constexpr int OutlineWidth = 2046;
constexpr int OutlineHeight = 1296;
constexpr int OutlineMargin = 20;

// Inside a card: the top label, the symbol band, the clip frame of the bottom label.
constexpr int InnerLeft = 72;
constexpr int InnerWidth = 1872;
constexpr int TopLabelTop = 182;
constexpr int LabelHeight = 173; // at design; a label grows with its text
constexpr int SymbolTop = 355;
constexpr int SymbolHeight = 662;
constexpr int ClipTop = 1017;
constexpr int ClipHeight = 173;

// Placing an impression: the scale of the labels' font and the symbol on screen, from the
// top label's top to the symbol band, the band's height, and the margins of the symbol area
// inside the card frame (90 in all, 45 on the left).
constexpr float ScreenScale = 0.4f;
constexpr double BandOffset = 208.8;
constexpr int BandHeight = 662;
constexpr int AreaMargin = 90;
constexpr int AreaLeft = 45;

constexpr int cardLeft(int position)
{
    return ColumnLeft[position % 2];
}

constexpr int cardTop(int position)
{
    return FirstRowTop + RowPitch * (position / 2);
}

} // namespace cardGeometry
