#pragma once

#include "../FrameFixture.h"

#include "model/CImpressionDoc.h"
#include "platform/print/PdfTarget.h"
#include "reader/frmImpression.h"

#include "QtPrinters.h"

#include <QImage>
#include <QLineEdit>

#include <memory>
#include <optional>

// The main window with real impression windows.
class ImpressionFixture : public FrameFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

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

    // A business card's impression: name fields, company, e-mail and six lines of words.
    static CImpressionDoc cardDocument(const QString& strFirst);
    // The symbol of an impression (words included), or of a hand-written vCard, as the
    // encoder makes it.
    QImage symbolOf(const CImpressionDoc& doc);
    QImage symbolOf(const QByteArray& vCard);
    // The impression carried by the symbol in a picture; false when none is decoded.
    bool decodePicture(const QImage& picture, CImpressionDoc& doc);

    // The Printer object the previews measure their words on: a PDF printer.
    std::unique_ptr<print::PdfTarget> m_printer;
    std::optional<service::Service<print::Target>::Override> m_printerInstalled;

    template <class T = QWidget> static T* control(const frmImpression* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_TRUE(found) << "no control " << name.toStdString();
        return found;
    }
};

// Every field, line and the font of two documents, as "<property>: <a> / <b>" per difference.
QStringList differences(const CImpressionDoc& a, const CImpressionDoc& b);
