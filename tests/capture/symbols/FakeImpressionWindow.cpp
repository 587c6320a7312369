#include "FakeImpressionWindow.h"

void FakeImpressionWindow::readDoc(const CImpressionDoc& d)
{
    if (m_first->beforeReadDoc)
        m_first->beforeReadDoc(*this);
    doc = d;
}

void FakeImpressionWindow::exportToPIM()
{
    ++exports;
    if (m_first->beforeExport)
        m_first->beforeExport(*this);
}

IImpressionWindow* FakeImpressionWindow::getImportableImpression()
{
    ++importableAsked;
    return this;
}

IImpressionWindow* FakeImpressionWindow::getImpression()
{
    auto window = std::make_unique<FakeImpressionWindow>();
    window->m_first = m_first;
    m_first->m_opened.push_back(std::move(window));
    return m_first->m_opened.back().get();
}

std::vector<FakeImpressionWindow*> FakeImpressionWindow::windows()
{
    std::vector<FakeImpressionWindow*> all{m_first};
    for (const auto& w : m_first->m_opened)
        all.push_back(w.get());
    return all;
}
