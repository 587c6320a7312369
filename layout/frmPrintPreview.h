#pragma once

#include "platform/ui/Form.h"

#include <QDialog>
#include <QPointer>

#include <array>

class IPrintableSheet;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace print {
class PictureBox;
}

// The "Print Preview" window: a layout sheet drawn on a US Letter page by the same page routines
// as the printout, at a chosen zoom, in a viewport with two scroll bars. The layout window loads
// it, hands it the sheet with setSourceForm and shows it modally; each showing starts at
// "Fit to Page".
class frmPrintPreview : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmPrintPreview(QWidget* parent = nullptr);
    ~frmPrintPreview() override;

    // The layout window to preview: a form that offers the sheet.
    void setSourceForm(IPrintableSheet* frm);

    void Form_Load() override;
    void Form_Activate();
    void Form_Resize();
    void Form_KeyPress(int keyAscii);
    void cboZoom_Click();
    void mnuZoom_Click(int index);
    void mnuFitToPage_Click();
    void picWindow_MouseDown(Qt::MouseButton button);
    void picPage_MouseDown(Qt::MouseButton button);
    void HScroll1_Change();
    void VScroll1_Change();
    void cmdClose_Click();

    // The window's size at design, and the strip above the viewport that holds the zoom
    // controls, in twips.
    static constexpr int FormWidth = 9600;
    static constexpr int FormHeight = 10800;
    static constexpr int StripHeight = 340;
    static constexpr int MinZoom = 10;
    static constexpr int MaxZoom = 200;

    QComboBox* cboZoom;
    QLabel* Label1;
    QLabel* lblPerCent;
    QPushButton* cmdClose;
    QWidget* picWindow;
    print::PictureBox* picPage;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QMenu* mnuPopup;
    std::array<QAction*, 6> mnuZoom{};
    QAction* mnuDash;
    QAction* mnuFitToPage;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void renderPage(float zoom);
    void applyZoom();
    void getFitZoomPercent(qint16& out);
    void arrangePreview();
    bool isFitToPageSelected() const;
    // Places the page in the viewport, in twips from the viewport's corner.
    void movePage(double leftTwips, double topTwips);

    QPointer<QObject> m_sourceObject;
    bool m_sourceIsObject = false;
    IPrintableSheet* m_source = nullptr;
    // Drawing is never re-entered: a zoom or resize that arrives while a card's message box is
    // up is applied once the drawing ends.
    bool m_rendering = false;
    bool m_zoomPending = false;
    double m_pageLeft = 0;
    double m_pageTop = 0;
};
