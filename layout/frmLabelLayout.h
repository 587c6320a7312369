#pragma once

#include "common/CMostRecentlyUsed.h"
#include "common/ICommitPreferences.h"
#include "common/IImpressionMRUDisplay.h"
#include "common/ILayoutMRUDisplay.h"
#include "layout/CardContent.h"
#include "layout/IPrintableSheet.h"
#include "layout/LayoutTypes.h"
#include "platform/ui/Form.h"
#include "platform/ui/MdiChild.h"
#include "platform/ui/Menus.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class CStoredToolTips;
class IImpressionFileWindow;
class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMimeData;
class QToolBar;

// The layout window: one sheet of ten business cards on screen, five rows of two, in the
// program's MDI frame. The user chooses the sheet type (layout type) and the working position,
// fills positions from impression files or from the impression window that has the file open,
// copies, hides and deletes positions, and hands the sheet to printing.
//
// Each position i is five controls, named as control arrays: the card frame fraImpression(i)
// (its caption the impression's display name, empty for an empty position; its Tag the file),
// the top label lblCardTop(i), the clip frame frmClipBottom(i) with the bottom label
// lblCardBottom(i), and the symbol picture imgEncoding(i), whose Visible state is the
// position's visibility.
class frmLabelLayout : public QWidget,
                       public ui::Form,
                       public ui::MdiChild,
                       public ICommitPreferences,
                       public IImpressionMRUDisplay,
                       public ILayoutMRUDisplay,
                       public IPrintableSheet
{
    Q_OBJECT

public:
    explicit frmLabelLayout(QWidget* parent = nullptr);
    ~frmLabelLayout() override;

    // --- Public operations. Positions are 0..9; another raises run-time error 9.
    // Fills every other position with a copy of nPosition, after asking when the sheet is not
    // empty.
    void copyImageToRest(qint16 nPosition);
    // Fills all ten positions with one impression file and shows them.
    void quickLayoutIMF(const QString& strFileName);
    void toggleImagelVisibility(qint16 nIndex);
    void setImageVisibility(qint16 nIndex, bool bVisible);
    bool getImageVisibility(qint16 nIndex) const;
    // The layout file name; empty while untitled (always, in this program).
    QString getFileName() const;
    // True only for the one layout window, untitled, unchanged and with ten empty positions.
    bool isEmpty() const;
    // Fills one position from an impression file, or from the impression window that has it
    // open (its content, saved or not). bOK false when the position was left as it was.
    void setImage(const QString& strFileName, qint16 nPosition, bool& bOK);
    // The layout type: 0 Avery, 1 Corvel labels, 2 Corvel template.
    qint16 getPrintingMode() const override;
    void updateImpressionMRUDisplay() override;
    void updateLayoutMRUDisplay() override;
    // True when the position's frame and its symbol are both visible.
    bool isPositionPrintable(qint16 nPosition) const override;
    // Applies the "ToolTips" preference and places every position afresh.
    void commitPreferences() override;

    // --- Operations within the sheet's module
    void selectPosition(qint16 p);
    // The impression file a position shows (its frame's Tag).
    QString getPositionFileName(qint16 p) const override;
    void clearPosition(qint16 p);
    // Makes position p a copy of position q; p keeps its visibility.
    void copyPosition(qint16 p, qint16 q);
    // Opens the file in an impression window from the main window.
    void editImpressionFile(const QString& strPath);
    // Places every filled position afresh from its file or the window that has it open.
    void refreshAllPositions();
    qint16 workingPosition() const { return m_workingPosition; }
    bool isDirty() const { return m_isDirty; }

    // --- For placing an impression (modLayoutHelper)
    // Where a position's top label stands and how wide its card frame is, in twips.
    int topLabelTop(qint16 nPosition) const;
    int cardWidth(qint16 nPosition) const;
    const CardContent& cardContent(qint16 nPosition) const;
    // Shows the content in the position's controls; the bottom block sits on the clip frame's
    // bottom edge.
    void setCardContent(qint16 nPosition, const CardContent& content);

    // The number of loaded layout windows, and of layout windows loaded since the start.
    static qint16 openLayoutCount();
    static qint16 layoutCounter();

    // The data a drag of a position carries: this window and the position.
    QMimeData* makePositionDragData(qint16 nIndex) const;

    // --- Events
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;
    void Form_Resize();

    void cboLayout_Click();
    void cboWorkingImage_Click();
    void cboTemplatePos_Click();
    void Toolbar1_ButtonClick(const QString& key);

    void mnuClose_Click();
    void mnuFileExit_Click();
    void mnuFilePreferencesAllatonce_Click();
    void mnuFilePreferencesWizard_Click();
    // The printing commands. Printing and the template show the printer dialog first and end
    // quietly on any error, a cancelled dialog included.
    void mnuPrintTemplate_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintPreview_Click();
    void mnuFilePrintSetup_Click();
    void mnuEdit_Click();
    void mnuEditShow_Click();
    void mnuEditHide_Click();
    void mnuEditDelete_Click();
    void mnuEditEditimpression_Click();
    void mnuEditCopyLeft_Click();
    void mnuEditCopyRight_Click();
    void mnuEditCopyAll_Click();
    void mnuImpMRU_Click(int k);

    // Mouse and drops on the five controls of position i.
    void position_MouseDown(qint16 i, Qt::MouseButton button);
    void position_DblClick(qint16 i);
    void position_DragDrop(qint16 i, qint16 nSource);

    // --- Controls
    QToolBar* Toolbar1 = nullptr;
    QComboBox* cboLayout = nullptr;
    QComboBox* cboWorkingImage = nullptr;
    QComboBox* cboTemplatePos = nullptr;
    QFrame* fraPage = nullptr;
    QFrame* Outline = nullptr;
    std::array<QGroupBox*, modLayoutTypes::PositionCount> fraImpression{};
    std::array<QLabel*, modLayoutTypes::PositionCount> lblCardTop{};
    std::array<QFrame*, modLayoutTypes::PositionCount> frmClipBottom{};
    std::array<QLabel*, modLayoutTypes::PositionCount> lblCardBottom{};
    std::array<QLabel*, modLayoutTypes::PositionCount> imgEncoding{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QList<ui::MenuEntry> copyCommands(int level, const std::array<const char*, 3>& names);
    QList<ui::MenuEntry> preferencesCommands(const QString& menuName, qint32 wizardHelp);
    void buildToolbar();
    void buildSheet();
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;

    void setFileName(const QString& strName);
    void setAveryLayout();
    void setLabelsLayout();
    void setTemplateLayout();
    void setLayoutType(qint16 nType);
    void syncTemplatePosition();
    void unhighlightPosition(qint16 p);
    void setFrameForeColor(qint16 p, qint32 nColor);
    void offerOldFileConversion(const QString& strPath);
    void offerOpenWindowConversion(IImpressionFileWindow& window);
    void updateMRUDisplay(CMostRecentlyUsed& list, const QString& strFileType, const QString& strSeparator,
                          const QString& strItems);
    void copyWorkingPositionTo(const QList<qint16>& targets);

    // Which position a watched control belongs to; -1 for none.
    qint16 positionOf(const QObject* control) const;
    // The position a drag of ours names when it comes from this window; -1 otherwise.
    qint16 draggedPosition(const QMimeData* data) const;
    bool positionEvent(qint16 i, QObject* watched, QEvent* event);
    void startPositionDrag(qint16 i);

    QString m_fileName;
    CMostRecentlyUsed m_impressionMRU;
    CMostRecentlyUsed m_layoutMRU;
    qint16 m_layoutType = modLayoutTypes::AveryLayout;
    bool m_isDirty = false;
    qint16 m_untitledNumber = 0;
    qint16 m_workingPosition = 0;
    std::unique_ptr<CStoredToolTips> m_toolTips;
    std::array<CardContent, modLayoutTypes::PositionCount> m_cards;
    QString m_dragToken;
    // The toolbar's placeholders under the type box and the position boxes.
    QWidget* m_layoutsPlaceholder = nullptr;
    QWidget* m_workingPlaceholder = nullptr;
    // A left button press waiting for the drag distance.
    qint16 m_pressedPosition = -1;
    QPoint m_pressPoint;
};
