#pragma once
// The real printer: the system's default printer through QPrinter, or, on a system without a
// printer, a PDF file in the user's documents folder whose path the user is told: the
// documents folder (created when missing) and a name that no file has yet ("Kiv_2000 - Industry
// index.pdf", then " (2)" ...), which the file takes only once it is whole.
#include "platform/printer.h"

#include <QFont>
#include <memory>

class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace kiv {

class PrintProgress;

class QtPrinter : public Printer {
public:
    enum class Target {
        System,  // the default printer; a PDF when the system has none
        PdfOnly, // always a PDF in the documents folder
    };
    // A printout that takes longer than progressDelayMs, counted from its start (print(), or
    // start() for a document still to be built), shows a progress dialog (object name
    // "printProgress") with a Cancel button ("cmdCancel"), whether it is then being built,
    // laid out or drawn; Cancel stops it, leaves no PDF file and tells the user so. The windows
    // go on repainting all along.
    explicit QtPrinter(Target target = Target::System, int progressDelayMs = 500);

    PrintOutcome print(const PrintDocument& doc) override;
    PrintOutcome print(const PageDocument& doc) override;
    std::unique_ptr<PrintJob> start(const QString& title) override;

private:
    class Job;
    template <class Layout>
    PrintOutcome run(const QString& title, Layout&& layout, PrintProgress& progress);
    Target target_;
    int progressDelayMs_;
};

// Text sizes as the device draws them, each font made once and each text measured once.
std::unique_ptr<PrintMetrics> deviceMetrics(QPaintDevice* device);

// The font a face name of a printout stands for: "Times New Roman" is drawn in its metric twin
// Liberation Serif, "Arial" in Liberation Sans, "Courier New" in Liberation Mono, and the
// printer's own face (an empty name) in Liberation Sans.
QString resolvedFace(const QString& face);
QFont printFont(const PrintFont& font);

// A page document as rich text for the report view: one block per paragraph, one table per
// table, each page after the first starting with a page break after a gap and a rule. Lengths
// are given in points and drawn at pixelsPerPoint device pixels.
std::unique_ptr<QTextDocument> toTextDocument(const PageDocument& doc, double pixelsPerPoint);

} // namespace kiv
