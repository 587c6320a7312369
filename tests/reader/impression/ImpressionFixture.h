#pragma once

#include "../FrameFixture.h"

#include "model/CImpressionDoc.h"
#include "reader/frmImpression.h"

#include <QLineEdit>

// The main window with real impression windows.
class ImpressionFixture : public FrameFixture
{
protected:
    void SetUp() override;

    // A new impression window, loaded and shown in the frame.
    frmImpression* newWindow();
    // The loaded impression windows.
    static QList<frmImpression*> windows();
    // Lets the deferred deletions of unloaded windows run.
    static void settle();

    // A document whose every field, line and font is set, with texts that catch copying
    // faults: non-ASCII text, line breaks, a 40 000-character field, an unlisted salutation.
    static CImpressionDoc fullDocument();
    // Writes `doc` as an impression file through the model; nVersion other than 3 is then
    // stamped into the file's version property.
    QString writeImpression(const QString& relativePath, const CImpressionDoc& doc, int nVersion = 3);
    // The document a window holds.
    static CImpressionDoc docOf(const frmImpression& window);
    static CImpressionDoc readBack(const QString& path);

    template <class T = QWidget> static T* control(const frmImpression* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_TRUE(found) << "no control " << name.toStdString();
        return found;
    }
};

// Every field, line and the font of two documents, as "<property>: <a> / <b>" per difference.
QStringList differences(const CImpressionDoc& a, const CImpressionDoc& b);
