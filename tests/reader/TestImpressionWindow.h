#pragma once

#include "model/CImpressionDoc.h"
#include "platform/ui/Form.h"
#include "platform/ui/MdiChild.h"
#include "reader/IImpressionChild.h"

#include <QStringList>
#include <QWidget>

#include <functional>

// A test-only impression window: what the main window sees of one. It keeps its file name,
// a few fields and its changed state, registers itself as the topmost window when activated,
// follows the reuse rules of the real window (empty when untitled, unchanged, blank and the
// only one; an untitled window takes an import itself) and records what was asked of it in
// the shared log, e.g. "Untitled1.imf: open /x/a.imf".
class TestImpressionWindow : public QWidget, public ui::Form, public ui::MdiChild, public IImpressionChild
{
public:
    TestImpressionWindow();
    ~TestImpressionWindow() override;

    // Everything every window did, in order.
    static QStringList& log();
    // Clears the log and numbers the next window 1 again.
    static void reset();
    // Called with every entry as it is logged (a separate process prints them).
    static std::function<void(const QString&)>& onRecord();
    // The windows made so far that are still loaded, in loading order.
    static QList<TestImpressionWindow*> loaded();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

    QString getFileName() const override { return m_fileName; }
    bool isEmpty() override;
    bool isDirty() const override { return dirty; }
    void openImpression(const QString& strFileName) override;
    void importBitmapMultiple(const QString& strFileName, qint16 nMode) override;
    void scanImpression() override;
    void importContact(qint16 nIndex) override;

    void readDoc(const CImpressionDoc& doc) override;
    void SetAsOldVersion(bool) override {}
    void SetAsNewerVersion(bool) override {}
    void setCorvelWordsCreated(bool) override {}
    void exportToPIM() override {}
    void updateScreen() override {}
    IImpressionWindow* getImportableImpression() override;
    IImpressionWindow* getImpression() override;
    void bringToFront() override;

    QString name() const { return windowTitle(); }

    QString formattedName; // the one contact field these windows keep
    bool dirty = false;
    bool refuseToClose = false; // its query-unload cancels

private:
    void record(const QString& what);

    QString m_fileName;
    int m_untitledNumber = 0;
};
