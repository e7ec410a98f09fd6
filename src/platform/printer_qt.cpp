#include "platform/printer_qt.h"

#include "platform/dialogs.h"
#include "platform/in_progress_file.h"
#include "platform/language.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

namespace kiv {

// ---- fonts ---------------------------------------------------------------------------------

QString resolvedFace(const QString& face)
{
    const QString f = face.trimmed();
    if (f.isEmpty() || f.compare(u"Arial", Qt::CaseInsensitive) == 0 || f.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (f.compare(u"Times New Roman", Qt::CaseInsensitive) == 0 || f.compare(u"Times", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (f.compare(u"Courier New", Qt::CaseInsensitive) == 0 || f.compare(u"Courier", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return f;
}

QFont printFont(const PrintFont& font)
{
    QFont f(resolvedFace(font.face));
    f.setPointSizeF(font.size > 0 ? font.size : 10);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false); // columns are counted in character widths; keep widths additive
    return f;
}

namespace {

// Text sizes as the printer will draw them. Each font is made once, and each text measured
// once in it: a long printout repeats its labels on every page.
class DeviceMetrics : public PrintMetrics {
public:
    explicit DeviceMetrics(QPaintDevice* device)
        : device_(device)
    {
    }
    const QFont& font(const PrintFont& f) const { return entry(f).font; }
    double textWidth(const PrintFont& f, const QString& text) const override
    {
        Entry& e = entry(f);
        const auto it = e.widths.constFind(text);
        if (it != e.widths.constEnd())
            return *it;
        const double w = e.metrics.horizontalAdvance(text);
        e.widths.insert(text, w);
        return w;
    }
    // The average character width as printers count tab columns: the small letters and the
    // blank weighted by how often they occur in English text. (The font's own average counts
    // every glyph it has, accents and symbols included, and comes out a third wider.)
    double averageCharWidth(const PrintFont& f) const override
    {
        Entry& e = entry(f);
        if (e.average < 0) {
            static constexpr int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                                56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
            double sum = 0;
            for (int i = 0; i < 26; ++i)
                sum += weights[i] * e.metrics.horizontalAdvance(QChar(u'a' + i));
            sum += weights[26] * e.metrics.horizontalAdvance(QChar(u' '));
            e.average = sum / 1000.0;
        }
        return e.average;
    }
    double lineHeight(const PrintFont& f) const override { return entry(f).metrics.lineSpacing(); }
    double ascent(const PrintFont& f) const override { return entry(f).metrics.ascent(); }

private:
    struct Entry {
        Entry(const PrintFont& k, QPaintDevice* device)
            : key(k)
            , font(printFont(k), device)
            , metrics(font, device)
        {
        }
        PrintFont key;
        QFont font;
        QFontMetricsF metrics;
        QHash<QString, double> widths;
        double average = -1;
    };
    Entry& entry(const PrintFont& f) const
    {
        if (last_ && last_->key == f)
            return *last_;
        for (const auto& e : entries_)
            if (e->key == f)
                return *(last_ = e.get());
        entries_.push_back(std::make_unique<Entry>(f, device_));
        return *(last_ = entries_.back().get());
    }
    QPaintDevice* device_;
    mutable std::vector<std::unique_ptr<Entry>> entries_;
    mutable Entry* last_ = nullptr;
};

QString tr2(const char16_t* english, const char16_t* french)
{
    return gLanguage == 0 ? QString::fromUtf16(english) : QString::fromUtf16(french);
}

QString safeFileName(const QString& title)
{
    QString s;
    for (QChar c : title) {
        if (c.unicode() < 32 || QStringView(u"/\\:*?\"<>|").contains(c))
            s += u'-';
        else
            s += c;
    }
    return s.simplified();
}

} // namespace

// ---- rich text -----------------------------------------------------------------------------

std::unique_ptr<QTextDocument> toTextDocument(const PageDocument& pd, double pixelsPerPoint)
{
    auto doc = std::make_unique<QTextDocument>();
    QFont base(resolvedFace(pd.face));
    base.setPointSizeF(10);
    doc->setDefaultFont(base);
    QTextCursor cur(doc.get());
    bool atEmptyBlock = true; // the cursor stands in an empty block that the next paragraph may use

    for (std::size_t p = 0; p < pd.pages.size(); ++p) {
        const Page& page = pd.pages[p];
        for (std::size_t b = 0; b < page.blocks.size(); ++b) {
            const bool pageStart = p > 0 && b == 0;
            if (pageStart) {
                // The pages follow each other, a rule between them.
                QTextBlockFormat rule;
                rule.setTopMargin(12 * pixelsPerPoint);
                rule.setBottomMargin(12 * pixelsPerPoint);
                rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
                if (atEmptyBlock)
                    cur.setBlockFormat(rule);
                else
                    cur.insertBlock(rule);
                atEmptyBlock = false;
            }
            if (const auto* para = std::get_if<PageParagraph>(&page.blocks[b])) {
                QTextBlockFormat bf;
                if (pageStart)
                    bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                bf.setBottomMargin(2 * pixelsPerPoint);
                QTextCharFormat cf;
                cf.setFontPointSize(para->size > 0 ? para->size : 10);
                cf.setFontWeight(para->bold ? QFont::Bold : QFont::Normal);
                cf.setFontItalic(para->italic);
                if (atEmptyBlock) {
                    cur.setBlockFormat(bf);
                    cur.setBlockCharFormat(cf);
                } else {
                    cur.insertBlock(bf, cf);
                }
                cur.insertText(para->text, cf);
                atEmptyBlock = false;
                continue;
            }
            const auto& table = std::get<PageTable>(page.blocks[b]);
            const int columns = table.columnCount();
            if (columns == 0 || table.rows.empty())
                continue;
            QTextTableFormat tf;
            if (pageStart)
                tf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            tf.setTopMargin(6 * pixelsPerPoint);
            tf.setBorder(std::max(1.0, 0.5 * pixelsPerPoint));
            tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            tf.setBorderBrush(QColor(128, 128, 128));
            tf.setBorderCollapse(true);
            tf.setCellSpacing(0);
            tf.setCellPadding(2 * pixelsPerPoint);
            tf.setHeaderRowCount(table.headerRows);
            tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            double total = 0;
            for (double w : table.columnWidths)
                total += w;
            if (total > 0 && static_cast<int>(table.columnWidths.size()) == columns) {
                QList<QTextLength> lengths;
                for (double w : table.columnWidths)
                    lengths << QTextLength(QTextLength::PercentageLength, 100.0 * w / total);
                tf.setColumnWidthConstraints(lengths);
            }
            QTextTable* t = cur.insertTable(static_cast<int>(table.rows.size()), columns, tf);
            for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
                int c = 0;
                for (const PageCell& cell : table.rows[static_cast<std::size_t>(r)]) {
                    if (c >= columns)
                        break;
                    const int span = std::min(std::max(cell.span, 1), columns - c);
                    if (span > 1)
                        t->mergeCells(r, c, 1, span);
                    QTextCursor cc = t->cellAt(r, c).firstCursorPosition();
                    QTextBlockFormat cbf;
                    cbf.setAlignment(cell.alignRight ? Qt::AlignRight : Qt::AlignLeft);
                    cc.setBlockFormat(cbf);
                    QTextCharFormat cf;
                    cf.setFontWeight(cell.bold || r < table.headerRows ? QFont::Bold : QFont::Normal);
                    cc.insertText(cell.text, cf);
                    c += span;
                }
            }
            cur.movePosition(QTextCursor::End);
            atEmptyBlock = true;
        }
    }
    return doc;
}

// ---- the PDF file --------------------------------------------------------------------------

namespace {

// The documents folder, made when it is missing; empty when it can't be.
QString pdfFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Documents");
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return QString();
    return folder;
}

// What every printout's name begins and ends with.
constexpr QStringView kPrintoutStart = u"Kiv_2000 - ";
constexpr QStringView kPrintoutEnd = u".pdf";

QString printoutBase(const QString& title)
{
    QString name = safeFileName(title);
    if (name.isEmpty())
        name = tr2(u"Printout", u"Impression");
    return kPrintoutStart.toString() + name;
}

// "Kiv_2000 - Industry index.pdf", then "Kiv_2000 - Industry index (2).pdf", ...
QString printoutName(const QString& folder, const QString& base, int copy)
{
    return QDir(folder).filePath(base + (copy > 1 ? QStringLiteral(" (%1)").arg(copy) : QString()) + kPrintoutEnd.toString());
}

// Every printout's name: "Kiv_2000 - <title>.pdf", "Kiv_2000 - <title> (2).pdf", ...
files::TargetNames printoutNames()
{
    return files::TargetNames::family(kPrintoutStart.toString(), kPrintoutEnd.toString());
}

} // namespace

// ---- progress --------------------------------------------------------------------------------

namespace {
QString cancelledMessage()
{
    return tr2(u"Printing was cancelled: nothing was printed.", u"L'impression a été annulée : rien n'a été imprimé.");
}
} // namespace

// A printout from its start (the click that asks for it) to its end: while its document is
// built, its sheets laid out and drawn, the windows go on repainting, at least every
// kEventsMs; after the delay a dialog tells how far it has come and offers Cancel. Until the
// dialog is up no key or click reaches the windows; once it is, the dialog keeps them from the
// user, as a message box does.
class PrintProgress : public PrintTicker {
public:
    PrintProgress(const QString& title, int delayMs)
        : title_(title)
        , delayMs_(delayMs)
    {
        clock_.start();
        lastEvents_.start();
    }
    ~PrintProgress() override { close(); }
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    // While the printout is prepared; false once the user has cancelled.
    bool tick() override
    {
        if (cancelled_)
            return false;
        if (!dialog_ && clock_.elapsed() >= delayMs_) {
            open();
            handleEvents(false); // shown at once; the events keep their pace
        } else if (lastEvents_.elapsed() >= kEventsMs) {
            handleEvents();
        }
        return !cancelled_;
    }

    // The sheets are laid out: drawing them begins.
    void drawing(const QString& title, int sheets)
    {
        title_ = title;
        sheets_ = sheets;
        drawing_ = true;
        if (dialog_) {
            dialog_->setRange(0, sheets_);
            dialog_->setValue(0);
            dialog_->setLabelText(label(sheets_ - 1)); // grows the dialog only for a count of five digits or more
            dialog_->setLabelText(label(0));
        }
    }

    // done sheets are drawn; false once the user has cancelled.
    bool step(int done)
    {
        done_ = done;
        if (cancelled_)
            return false;
        if (!dialog_ && clock_.elapsed() >= delayMs_ && done < sheets_)
            open();
        if (dialog_) {
            dialog_->setValue(done);
            dialog_->setLabelText(label(done));
            handleEvents();
            return !cancelled_;
        }
        if (lastEvents_.elapsed() >= kEventsMs)
            handleEvents();
        return true;
    }

    bool cancelled() const { return cancelled_; }
    int done() const { return done_; }

    // The dialog goes (before anything is told to the user).
    void close()
    {
        if (dialog_) {
            dialog_->hide();
            dialog_.reset();
            QApplication::restoreOverrideCursor();
        }
    }

private:
    static constexpr int kEventsMs = 40;

    void handleEvents(bool paced = true)
    {
        // A modal dialog takes the clicks of the others; without one no input goes anywhere.
        QCoreApplication::processEvents(dialog_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (paced)
            lastEvents_.restart();
        if (dialog_ && dialog_->wasCanceled())
            cancelled_ = true;
    }
    QString label(int done) const
    {
        if (!drawing_)
            return tr2(u"Preparing \"%1\" for printing", u"Préparation de « %1 » pour l'impression").arg(title_);
        return pageLabel(std::min(done + 1, sheets_), sheets_);
    }
    QString pageLabel(int page, int sheets) const
    {
        return tr2(u"Printing \"%1\": page %2 of %3", u"Impression de « %1 » : page %2 sur %3").arg(title_).arg(page).arg(sheets);
    }
    void open()
    {
        dialog_ = std::make_unique<QProgressDialog>(QApplication::activeWindow());
        dialog_->setObjectName(QStringLiteral("printProgress"));
        dialog_->setWindowTitle(QString::fromUtf16(kAppTitle));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        auto* cancel = new QPushButton(buttonText(vbCancel, gLanguage));
        cancel->setObjectName(QStringLiteral("cmdCancel"));
        dialog_->setCancelButton(cancel);
        // While it is prepared the printout's length is unknown: the bar only shows it busy.
        dialog_->setRange(0, drawing_ ? sheets_ : 0);
        // As wide as it gets, so that the dialog keeps its size: for the last page's label, and
        // while the page count is not known yet, for the wider of the label now and that of a
        // four-digit count.
        const int count = drawing_ ? sheets_ : 9999;
        int width = 360;
        for (const QString& text : {pageLabel(count, count), label(0)}) {
            dialog_->setLabelText(text);
            width = std::max(width, dialog_->sizeHint().width());
        }
        dialog_->setMinimumWidth(width);
        dialog_->adjustSize();
        // The pointer over the dialog shows the program busy but the button usable.
        QApplication::setOverrideCursor(Qt::BusyCursor);
        dialog_->show();
    }

    QString title_;
    int delayMs_;
    int sheets_ = 0;
    int done_ = 0;
    bool drawing_ = false;
    bool cancelled_ = false;
    QElapsedTimer clock_, lastEvents_;
    std::unique_ptr<QProgressDialog> dialog_;
};

namespace {

// The sheets on the device, one page each, the progress told after each one; the user's
// Cancel stops the drawing.
enum class DrawResult { Drawn, Failed, Cancelled };

DrawResult drawSheets(const std::vector<Sheet>& sheets, const DeviceMetrics& metrics, QPrinter& printer, QPainter& painter,
                      PrintProgress& progress)
{
    QPen border(QColor(128, 128, 128));
    border.setWidthF(kTableLineWidth * printer.resolution() / 72.0);
    const QPen text(Qt::black);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return DrawResult::Failed;
        const Sheet& sheet = sheets[i];
        painter.setPen(text);
        const PrintFont* current = nullptr;
        for (const SheetText& t : sheet.texts) {
            if (!current || !(*current == t.font)) {
                painter.setFont(metrics.font(t.font));
                current = &t.font;
            }
            painter.drawText(QPointF(t.x, t.baseline), t.text);
        }
        if (!sheet.lines.empty()) {
            painter.setPen(border);
            for (const SheetLine& l : sheet.lines)
                painter.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
        }
        if (!progress.step(static_cast<int>(i) + 1))
            return DrawResult::Cancelled;
    }
    return DrawResult::Drawn;
}

} // namespace

std::unique_ptr<PrintMetrics> deviceMetrics(QPaintDevice* device)
{
    return std::make_unique<DeviceMetrics>(device);
}

// ---- QtPrinter -----------------------------------------------------------------------------

QtPrinter::QtPrinter(Target target, int progressDelayMs)
    : target_(target)
    , progressDelayMs_(progressDelayMs)
{
}

// A printout started before its document is built: the progress runs from the start.
class QtPrinter::Job : public PrintJob {
public:
    Job(QtPrinter& printer, const QString& title)
        : printer_(printer)
        , progress_(title, printer.progressDelayMs_)
    {
    }
    bool tick() override { return progress_.tick(); }
    bool cancelled() const override { return progress_.cancelled(); }

    PrintOutcome print(const PrintDocument& doc) override
    {
        if (progress_.cancelled())
            return cancelledWhileBuilt();
        return printer_.run(
            doc.title(),
            [&](const PrintMetrics& metrics, const QPrinter& printer, PrintTicker& ticker) {
                return sheetsOf(doc, metrics, printer.width(), printer.height(), &ticker);
            },
            progress_);
    }
    PrintOutcome print(const PageDocument& pd) override
    {
        if (progress_.cancelled())
            return cancelledWhileBuilt();
        return printer_.run(
            pd.title,
            [&](const PrintMetrics& metrics, const QPrinter& printer, PrintTicker& ticker) {
                return sheetsOf(pd, metrics, printer.width(), printer.height(), printer.resolution() / 72.0, &ticker);
            },
            progress_);
    }

private:
    // Cancelled before its document was handed over: nothing was begun on the printer.
    PrintOutcome cancelledWhileBuilt()
    {
        progress_.close();
        MsgBox(cancelledMessage(), vbOKOnly + vbInformation);
        return PrintOutcome{PrintOutcome::Status::Cancelled, QString()};
    }

    QtPrinter& printer_;
    PrintProgress progress_;
};

template <class Layout>
PrintOutcome QtPrinter::run(const QString& title, Layout&& layout, PrintProgress& progress)
{
    const QPrinterInfo info = target_ == Target::System ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    const bool toPdf = info.isNull();
    QPrinter printer(QPrinter::HighResolution);
    // A printout to a file is written into an in-progress file of the program's beside its
    // name and takes the first free name only once it is whole: a cancelled, failed or killed
    // printout leaves no file under a printout's name, and an earlier one is never replaced.
    files::InProgressFile pdfFile;
    QString folder, base, pdf;
    if (toPdf) {
        folder = pdfFolder();
        base = printoutBase(title);
        if (!folder.isEmpty()) {
            files::removeAbandoned(folder, printoutNames());
            if (!pdfFile.create(printoutName(folder, base, 1)))
                folder.clear();
        }
        if (folder.isEmpty()) {
            progress.close();
            const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            MsgBox(tr2(u"No printer is set up on this computer, and the document could not be saved as a PDF file "
                       u"in the folder \"%1\".",
                       u"Aucune imprimante n'est installée sur cet ordinateur, et le document n'a pas pu être "
                       u"enregistré en fichier PDF dans le dossier « %1 ».")
                       .arg(QDir::toNativeSeparators(documents)),
                   vbOKOnly + vbExclamation);
            return PrintOutcome{};
        }
        pdf = printoutName(folder, base, 1);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile.path());
        // A quarter inch all round, as much as a desk printer leaves unprinted.
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    } else {
        printer.setPrinterName(info.printerName());
    }
    printer.setDocName(title.isEmpty() ? QStringLiteral("Kiv_2000") : title);
    printer.setCreator(QStringLiteral("Kiv_2000"));

    const auto failed = [&] {
        progress.close();
        if (toPdf) {
            pdfFile.drop();
            MsgBox(tr2(u"The document could not be saved as the PDF file \"%1\".",
                       u"Le document n'a pas pu être enregistré dans le fichier PDF « %1 ».")
                       .arg(QDir::toNativeSeparators(pdf)),
                   vbOKOnly + vbExclamation);
        } else {
            MsgBox(printFailedMessage(info.printerName()), vbOKOnly + vbExclamation);
        }
        return PrintOutcome{};
    };

    // The sheets are laid out before the printout is begun on the printer, so that a Cancel
    // while they are laid out leaves nothing there to drop.
    const DeviceMetrics metrics(&printer);
    const std::vector<Sheet> sheets = layout(metrics, printer, progress);
    QPainter painter;
    DrawResult drawn = DrawResult::Cancelled;
    if (!progress.cancelled()) {
        progress.drawing(title, static_cast<int>(sheets.size()));
        if (!painter.begin(&printer))
            return failed();
        drawn = drawSheets(sheets, metrics, printer, painter, progress);
    }
    const int done = progress.done();
    progress.close(); // gone before anything is told
    if (drawn == DrawResult::Cancelled) {
        // A PDF file is taken away; a printer is asked to drop the job, which not every
        // print system can do once pages are drawn.
        const bool dropped = toPdf || !painter.isActive() || printer.abort();
        if (painter.isActive())
            painter.end();
        pdfFile.drop();
        MsgBox(dropped ? cancelledMessage()
                       : tr2(u"Printing was cancelled after page %1 of %2; the pages before it may still be printed.",
                             u"L'impression a été annulée après la page %1 sur %2 ; les pages d'avant peuvent encore "
                             u"être imprimées.")
                             .arg(done)
                             .arg(sheets.size()),
               vbOKOnly + vbInformation);
        return PrintOutcome{PrintOutcome::Status::Cancelled, QString()};
    }
    const bool ended = painter.end();
    if (drawn != DrawResult::Drawn || !ended || printer.printerState() == QPrinter::Error)
        return failed();
    if (toPdf) {
        pdf = pdfFile.takeFreeName([&](int copy) { return printoutName(folder, base, copy); }, 9999);
        if (pdf.isEmpty()) {
            pdf = printoutName(folder, base, 1);
            return failed();
        }
        MsgBox(tr2(u"No printer is set up on this computer, so the document was saved as a PDF file:\n\n%1",
                   u"Aucune imprimante n'est installée sur cet ordinateur ; le document a été enregistré en "
                   u"fichier PDF :\n\n%1")
                   .arg(QDir::toNativeSeparators(pdf)),
               vbOKOnly + vbInformation);
        return PrintOutcome{PrintOutcome::Status::SavedAsPdf, pdf};
    }
    return PrintOutcome{PrintOutcome::Status::Printed, QString()};
}

std::unique_ptr<PrintJob> QtPrinter::start(const QString& title)
{
    return std::make_unique<Job>(*this, title);
}

PrintOutcome QtPrinter::print(const PrintDocument& doc)
{
    return Job(*this, doc.title()).print(doc);
}

PrintOutcome QtPrinter::print(const PageDocument& pd)
{
    return Job(*this, pd.title).print(pd);
}

} // namespace kiv
