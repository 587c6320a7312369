#pragma once

#include "platform/scanner/SaneSession.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace scanner {

// "Select Source": the scanners found, one to choose. The current choice is selected when the
// dialog opens; with no scanner found the dialog says so and only Cancel is offered.
class SourceDialog : public QDialog
{
    Q_OBJECT

public:
    SourceDialog(const QList<SaneDevice>& devices, const QString& current, QWidget* parent = nullptr);

    // The device name of the selected entry; empty when none is selected.
    QString selectedDevice() const;

private:
    QListWidget* m_list;
    QPushButton* m_select;
};

} // namespace scanner
