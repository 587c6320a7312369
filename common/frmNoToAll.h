#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"

#include <QDialog>

class QLabel;
class QPushButton;

// Yes, No, No to All or Cancel for one of several questions (saving each of several
// changed windows). The caller sets the question (setMessage), shows the form modally and
// reads intResponse and boolNoToAll; the form stays loaded, hidden, for the next question.
// Each showing starts from Cancel, so that a question closed by its close box never
// answers with an earlier question's answer.
class frmNoToAll : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmNoToAll(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

    void cmdYes_Click();
    void cmdNo_Click();
    void cmdNoToAll_Click();
    void cmdCancel_Click();
    // Sets the question and lays the window out around it.
    void setMessage(const QString& strMessage);
    void lblMsg_Change();

    // The answer as a message-box answer: 6 Yes, 7 No (also for No to All), 2 Cancel.
    qint16 intResponse = 2;
    bool boolNoToAll = false;

    QLabel* lblMsg;
    QPushButton* cmdYes;
    QPushButton* cmdNo;
    QPushButton* cmdNoToAll;
    QPushButton* cmdCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // Escape

private:
    void answer(ui::Answer response, bool bNoToAll);
};
