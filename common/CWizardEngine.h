#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractButton;
class QWidget;

// Turns stacked panels and four buttons of a form into a step-by-step wizard. The owner
// hands over the buttons, the two options and the panels (in display order), then calls
// StartWizard once. The engine then shows one panel at a time and handles Next and
// Previous itself, enabling and disabling the buttons; Cancel and Finish are only held,
// their clicks are the owner's. Panels are numbered from 1.
//
// Errors raise vb::Error with the engine's method as source. An error inside a Next or
// Previous click coming from its button is reported to the user there.
class CWizardEngine : public QObject
{
public:
    explicit CWizardEngine(QObject* parent = nullptr);
    ~CWizardEngine() override;

    // Appends a panel; from the second on, it takes the first panel's place and size.
    void AddPanel(QWidget* PanelToAdd);
    // Sets the buttons and shows panel 1.
    void StartWizard();

    void setCancelButton(QAbstractButton* button);
    void setFinishButton(QAbstractButton* button);
    void setNextButton(QAbstractButton* button);
    void setPrevButton(QAbstractButton* button);
    // Next on the last panel goes to the first, Previous on the first to the last.
    void setCircular(bool bCircular);
    bool FinishEnabledOnAllPanels() const { return m_bFinishEnabledOnAllPanels; }
    void setFinishEnabledOnAllPanels(bool b) { m_bFinishEnabledOnAllPanels = b; }
    // 0 before StartWizard.
    qint32 CurrentPanelNbr() const { return m_nCurrentPanel; }

    // Raised when Next is clicked, before anything moves: set Cancel to stay on the panel.
    // CurrentPanelNbr is the engine's own: assigning it changes the current panel.
    std::function<void(bool& Cancel, qint32& CurrentPanelNbr)> BeforeNext;
    // Raised after a forward step with the new current panel number.
    std::function<void(qint32& NewPanelNbr)> AfterNext;

    // The button handlers (Cancel and Finish do nothing: the owner handles them).
    void m_cmdCancelButton_Click() {}
    void m_cmdFinishButton_Click() {}
    void m_cmdNextButton_Click();
    void m_cmdPrevButton_Click();

    void Class_Terminate();

private:
    void setButton(QPointer<QAbstractButton>& member, QAbstractButton* button, QMetaObject::Connection& connection,
                   void (CWizardEngine::*handler)());
    QWidget* panel(qint32 nIndex) const;
    void moveTo(qint32 nNewPanel);

    qint32 m_nCurrentPanel = 0;
    bool m_bFinishEnabledOnAllPanels = false;
    QList<QPointer<QWidget>> m_panels;
    bool m_bCircular = false;
    QPointer<QAbstractButton> m_cmdCancelButton;
    QPointer<QAbstractButton> m_cmdFinishButton;
    QPointer<QAbstractButton> m_cmdNextButton;
    QPointer<QAbstractButton> m_cmdPrevButton;
    QMetaObject::Connection m_nextConnection;
    QMetaObject::Connection m_prevConnection;
};
