#pragma once

#include "capture/IImpressionWindow.h"
#include "model/CImpressionDoc.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Impression windows as the scan and import routines see them. Each records what was done to
// it; the windows "opened" by getImpression are kept by the one passed in first. getImportable-
// Impression gives the window itself, as an untitled topmost window is reused.
class FakeImpressionWindow : public IImpressionWindow
{
public:
    FakeImpressionWindow() = default;

    void readDoc(const CImpressionDoc& doc) override;
    void SetAsOldVersion(bool b) override { oldVersion = b; }
    void SetAsNewerVersion(bool b) override { newerVersion = b; }
    void setCorvelWordsCreated(bool b) override { wordsCreated = b; }
    void exportToPIM() override;
    void updateScreen() override { ++updates; }
    IImpressionWindow* getImportableImpression() override;
    IImpressionWindow* getImpression() override;
    void bringToFront() override { ++broughtToFront; }

    // Every window in the order it was used: this one first, then the new ones.
    std::vector<FakeImpressionWindow*> windows();

    std::optional<CImpressionDoc> doc;
    bool oldVersion = false;
    bool newerVersion = false;
    bool wordsCreated = false;
    int exports = 0;
    int updates = 0;
    int broughtToFront = 0;
    int importableAsked = 0;
    // Run before a document is taken, or an export made; may raise.
    std::function<void(FakeImpressionWindow&)> beforeReadDoc;
    std::function<void(FakeImpressionWindow&)> beforeExport;

private:
    FakeImpressionWindow* m_first = this;
    std::vector<std::unique_ptr<FakeImpressionWindow>> m_opened; // kept by the first window
};
