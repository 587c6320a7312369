#include "common/CWizardEngine.h"

#include "platform/ui/ErrorBoundary.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QAbstractButton>
#include <QWidget>

namespace {

constexpr long ObjectNotSet = 91;

QAbstractButton* required(const QPointer<QAbstractButton>& button)
{
    if (!button)
        throw vb::Error::runtime(ObjectNotSet, QString());
    return button;
}

// Runs `work`; an error it raises is raised again from `source`, keeping its number and
// description.
template <class Work> void raisingFrom(const char* source, Work&& work)
{
    try {
        work();
    } catch (const vb::Error& e) {
        throw vb::Error(e.number(), QString::fromLatin1(source), e.description());
    } catch (const std::exception& e) {
        throw vb::Error(5, QString::fromLatin1(source), QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

CWizardEngine::CWizardEngine(QObject* parent) : QObject(parent) {}

CWizardEngine::~CWizardEngine()
{
    Class_Terminate();
}

void CWizardEngine::Class_Terminate()
{
    disconnect(m_nextConnection);
    disconnect(m_prevConnection);
    m_cmdCancelButton = nullptr;
    m_cmdFinishButton = nullptr;
    m_cmdNextButton = nullptr;
    m_cmdPrevButton = nullptr;
    m_panels.clear();
}

void CWizardEngine::AddPanel(QWidget* PanelToAdd)
{
    raisingFrom("cWizardEngine::AddPanel()", [&] {
        if (!PanelToAdd)
            throw vb::Error::runtime(ObjectNotSet, QString());
        m_panels.append(PanelToAdd);
        if (m_panels.size() >= 2)
            PanelToAdd->setGeometry(panel(1)->geometry());
    });
}

void CWizardEngine::StartWizard()
{
    raisingFrom("cWizardEngine::StartWizard()", [&] {
        required(m_cmdCancelButton)->setEnabled(true);
        required(m_cmdFinishButton)->setEnabled(m_bFinishEnabledOnAllPanels);
        required(m_cmdNextButton)->setEnabled(true);
        required(m_cmdPrevButton)->setEnabled(m_bCircular);
        panel(1)->setVisible(true);
        for (qint32 i = 2; i <= m_panels.size(); ++i)
            panel(i)->setVisible(false);
        m_nCurrentPanel = 1;
    });
}

void CWizardEngine::setCancelButton(QAbstractButton* button)
{
    m_cmdCancelButton = button;
}

void CWizardEngine::setFinishButton(QAbstractButton* button)
{
    m_cmdFinishButton = button;
}

void CWizardEngine::setNextButton(QAbstractButton* button)
{
    setButton(m_cmdNextButton, button, m_nextConnection, &CWizardEngine::m_cmdNextButton_Click);
}

void CWizardEngine::setPrevButton(QAbstractButton* button)
{
    setButton(m_cmdPrevButton, button, m_prevConnection, &CWizardEngine::m_cmdPrevButton_Click);
}

void CWizardEngine::setCircular(bool bCircular)
{
    m_bCircular = bCircular;
}

void CWizardEngine::setButton(QPointer<QAbstractButton>& member, QAbstractButton* button,
                              QMetaObject::Connection& connection, void (CWizardEngine::*handler)())
{
    disconnect(connection);
    member = button;
    if (button)
        connection = ui::connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
}

QWidget* CWizardEngine::panel(qint32 nIndex) const
{
    if (nIndex < 1 || nIndex > m_panels.size())
        throw vb::Error::runtime(vb::err::SubscriptOutOfRange, QString());
    QWidget* p = m_panels.at(nIndex - 1);
    if (!p)
        throw vb::Error::runtime(ObjectNotSet, QString());
    return p;
}

// Hides the current panel before showing the new one, so that a step onto the same
// panel (a wizard of one panel) leaves it shown.
void CWizardEngine::moveTo(qint32 nNewPanel)
{
    QWidget* next = panel(nNewPanel);
    panel(m_nCurrentPanel)->setVisible(false);
    next->setVisible(true);
    m_nCurrentPanel = nNewPanel;
}

void CWizardEngine::m_cmdNextButton_Click()
{
    raisingFrom("cWizardEngine::m_cmdNextButton_Click()", [&] {
        bool cancel = false;
        if (BeforeNext)
            BeforeNext(cancel, m_nCurrentPanel);
        if (cancel)
            return;
        qint32 next = vb::toInt16(double(m_nCurrentPanel) + 1);
        if (next > m_panels.size())
            next = 1;
        moveTo(next);
        if (m_bCircular) {
            required(m_cmdFinishButton)->setEnabled(true);
        } else {
            required(m_cmdPrevButton)->setEnabled(true);
            if (m_nCurrentPanel == m_panels.size()) {
                required(m_cmdFinishButton)->setEnabled(true);
                required(m_cmdNextButton)->setEnabled(false);
            }
        }
        if (AfterNext)
            AfterNext(m_nCurrentPanel);
    });
}

void CWizardEngine::m_cmdPrevButton_Click()
{
    raisingFrom("cWizardEngine::m_cmdPrevButton_Click()", [&] {
        qint32 previous = vb::toInt16(double(m_nCurrentPanel) - 1);
        if (previous < 1)
            previous = static_cast<qint32>(m_panels.size());
        moveTo(previous);
        required(m_cmdNextButton)->setEnabled(true);
        if (m_bCircular) {
            required(m_cmdFinishButton)->setEnabled(true);
        } else {
            if (!m_bFinishEnabledOnAllPanels)
                required(m_cmdFinishButton)->setEnabled(false);
            if (m_nCurrentPanel == 1)
                required(m_cmdPrevButton)->setEnabled(false);
        }
    });
}
