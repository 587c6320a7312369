#pragma once

#include "platform/ui/Form.h"

#include <QDialog>
#include <QPoint>

#include <cstdint>

class CGDIPrinter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Print Setup" dialog: the current printer, and for each printer and layout type a
// horizontal and a vertical print offset in twips that the page printing adds to every
// coordinate. The user chooses another printer, edits, saves or resets the offsets, and prints
// a calibration page: two numbered grids to read where the creases of the folded page cross
// them. The layout window loads it, calls setLayoutIndex with its own layout type and shows it
// modally. Without a printer it names none.
class frmPrinterSetup : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmPrinterSetup(QWidget* parent = nullptr);

    // The dialog's size, in twips.
    static constexpr int FormWidth = 6660;
    static constexpr int FormHeight = 3480;

    // Selects layout type `index` and shows the printer and the offsets stored for it.
    void setLayoutIndex(qint16 index);

    void Form_Load() override;
    void cboLayout_Click();
    void cmdSelectPrinter_Click();
    void cmdReset_Click();
    // Stores the two offsets for the printer and layout type shown. An offset outside the
    // 32-bit range raises 6 (Overflow) and stores neither.
    void cmdSave_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Prints the calibration page and says whether it was handed to the printer.
    void cmdPrintTest_Click();
    void txtOffsetX_LostFocus();
    void txtOffsetY_LostFocus();

    QComboBox* cboLayout;
    QLineEdit* txtCurrentPrinterName;
    QLineEdit* txtOffsetX;
    QLineEdit* txtOffsetY;
    QPushButton* cmdSelectPrinter;
    QPushButton* cmdReset;
    QPushButton* cmdSave;
    QPushButton* cmdPrintTest;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshPrinterSettings();
    void drawVerticalGrid(CGDIPrinter& page, std::int32_t x, std::int32_t centre, std::int32_t half);
    void drawHorizontalGrid(CGDIPrinter& page, std::int32_t y, std::int32_t centre, std::int32_t half);
    void drawGrid(CGDIPrinter& page, bool bHorizontal, std::int32_t across, std::int32_t centre, std::int32_t half,
                  QPoint labelOffset);
    void drawCalibrationInstructions(CGDIPrinter& page, std::int32_t x, std::int32_t y);
    void drawGridCaption(CGDIPrinter& page, std::int32_t size, std::int32_t escapement, std::int32_t x, std::int32_t y,
                         const QString& text);
};
