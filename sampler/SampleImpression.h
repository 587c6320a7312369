#pragma once

#include "reader/frmImpression.h"

#include <QHash>

#include <array>

class QLineEdit;

namespace print {
class PictureBox;
}

// The impression window of the sample-card program: frmImpression in an edition of its own.
// Of the contact only the formatted name, the e-mail address and the company can be edited,
// each up to 32 characters; the font of The Corvel Words can be chosen; the six lines come from
// the words data file "bmkcw.dat" or from built-in sample lines; the preview encodes the words
// as the "Encode CorvelWords" setting says; Quick 'n Easy lays the impression out on a whole
// sheet; closing a changed window asks to save. No recently-used list is kept.
class SampleImpression : public frmImpression
{
    Q_OBJECT

public:
    // The most characters (code points) the user may give each editable field.
    static constexpr int MaxSampleFieldLength = 32;
    // The help context of Quick 'n Easy, also of its save question.
    static constexpr qint32 QuickLayoutHelp = 71;

    explicit SampleImpression(QWidget* parent = nullptr);
    ~SampleImpression() override;

    // The folder the words data file is read from: the program folder unless a test moved it.
    static QString programFolder();
    static void setProgramFolder(const QString& strFolder);

    // Fills the sample contact and the default lines of The Corvel Words.
    void createSampleImpression();

    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    // The preferences as in the card-reading program, then the preview again: the
    // "Encode CorvelWords" setting may have changed.
    void commitPreferences() override;

    // --- Commands
    // The font chooser for The Corvel Words; the window is changed even when it is cancelled.
    void cmdFont_Click(int Index) override;
    // Arial 6 for The Corvel Words.
    void cmdFontDefault_Click(int Index) override;
    // Lays the impression out in all ten positions of a layout window; an untitled or
    // previous-version impression is to be saved first.
    void mnuLayoutQuickNEasy_Click() override;
    // The toolbar buttons this edition handles itself, by key: the scan buttons show the
    // full-program notice and "QuickLayout" runs Quick 'n Easy.
    void Toolbar1_ButtonClick(const QString& key) override;
    // Card > Scan (Ctrl+A) has no action in this program: it does nothing.
    void mnuCardScan_Click() override {}

protected:
    // " Impression - " and the file name, or "Sample" while untitled.
    void setWindowCaption(const QString& strFileName) override;
    // This program keeps no list of recently used impressions.
    void addToRecentlyUsed(const QString& strFileName) override {}
    // The lines are the sample's own: the card-reading program's defaults are not composed.
    void setDefaultFirstLines() override {}
    void setDefaultLastLines() override {}
    // "bmkcw.dat" in the program folder.
    QString wordsDataFile() const override;
    bool drawPreview() override;
    void SSTab1_Click(int PreviousTab) override;
    void updateLaunchButtons() override;
    modMainHelper::FamilyProgram ownProgram() const override { return modMainHelper::FamilyProgram::Brindlemark; }
    void prepareMenusAndToolbar() override;
    // An image scanner shows only "NoScan": scanning belongs to the full program.
    void showImageScannerButtons(qint32 nScanner) override;
    // Scanning belongs to the full program: the scan buttons show its notice.
    void scanCard() override;

private:
    void setDefaultCorvelWords();
    void setLoadColoursAndTips() override;
    void lockFieldsOnLoad() override;
    // No list of recently used impressions in this program.
    void attachRecentlyUsed() override {}
    void unlockEditableFields();
    // Cuts what the user typed or pasted into an editable field beyond 32 characters, or beyond
    // the length the field had before the edit when that was longer (a long text loaded from a
    // file stays as it is). Only added characters go, whole, and the caret stands after them.
    void limitEdit(QLineEdit* field);
    QList<QLineEdit*> editableFields() const;
    // Changes a menu item or toolbar button by its name or key, if the window has one.
    void setActionEnabled(const QString& strName, bool bEnabled);
    void setActionVisible(const QString& strName, bool bVisible);

    // Each editable field's text as it was before the edit being made.
    QHash<QLineEdit*, QString> m_textsBeforeEdit;
};
