#pragma once

#include "platform/scanner/SaneSession.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace scanner {

// "Select Source": the scanners found, one to choose. The dialog shows at once and says that it
// looks for scanners until setDevices() brings the list; the current choice is selected then.
// With no scanner found the dialog says so and only Cancel is offered.
class SourceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SourceDialog(const QString& current, QWidget* parent = nullptr);

    // The scanners found.
    void setDevices(const QList<SaneDevice>& devices);

    // The device name of the selected entry; empty when none is selected.
    QString selectedDevice() const;

private:
    QString m_current;
    QLabel* m_caption;
    QListWidget* m_list;
    QPushButton* m_select;
};

} // namespace scanner
