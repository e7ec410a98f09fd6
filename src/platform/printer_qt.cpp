#include "platform/printer_qt.h"

#include "platform/dialogs.h"
#include "platform/language.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <map>
#include <tuple>

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

// Text sizes as the printer will draw them.
class DeviceMetrics : public PrintMetrics {
public:
    explicit DeviceMetrics(QPaintDevice* device)
        : device_(device)
    {
    }
    QFont font(const PrintFont& f) const { return QFont(printFont(f), device_); }
    double textWidth(const PrintFont& f, const QString& text) const override { return metrics(f).horizontalAdvance(text); }
    // The average character width as printers count tab columns: the small letters and the
    // blank weighted by how often they occur in English text. (The font's own average counts
    // every glyph it has, accents and symbols included, and comes out a third wider.)
    double averageCharWidth(const PrintFont& f) const override
    {
        static constexpr int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                            56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
        const QFontMetricsF& m = metrics(f);
        double sum = 0;
        for (int i = 0; i < 26; ++i)
            sum += weights[i] * m.horizontalAdvance(QChar(u'a' + i));
        sum += weights[26] * m.horizontalAdvance(QChar(u' '));
        return sum / 1000.0;
    }
    double lineHeight(const PrintFont& f) const override { return metrics(f).lineSpacing(); }
    double ascent(const PrintFont& f) const override { return metrics(f).ascent(); }

private:
    const QFontMetricsF& metrics(const PrintFont& f) const
    {
        const auto key = std::make_tuple(f.face, f.size, f.bold, f.italic);
        auto it = cache_.find(key);
        if (it == cache_.end())
            it = cache_.emplace(key, QFontMetricsF(font(f), device_)).first;
        return it->second;
    }
    QPaintDevice* device_;
    mutable std::map<std::tuple<QString, double, bool, bool>, QFontMetricsF> cache_;
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

std::unique_ptr<QTextDocument> toTextDocument(const PageDocument& pd, double pixelsPerPoint, bool screen)
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
            if (pageStart && screen) {
                // On screen the pages follow each other, a rule between them.
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
            int columns = static_cast<int>(table.columnWidths.size());
            for (const auto& row : table.rows) {
                int n = 0;
                for (const PageCell& c : row)
                    n += std::max(c.span, 1);
                columns = std::max(columns, n);
            }
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

QString reservePdfPath(const QString& title)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Documents");
    if (!QDir().mkpath(folder))
        return QString();
    QString name = safeFileName(title);
    if (name.isEmpty())
        name = tr2(u"Printout", u"Impression");
    const QString base = QDir(folder).filePath(QStringLiteral("Kiv_2000 - ") + name);
    for (int i = 1; i < 10000; ++i) {
        const QString path = base + (i > 1 ? QStringLiteral(" (%1)").arg(i) : QString()) + QStringLiteral(".pdf");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!f.exists())
            return QString(); // the folder takes no new file
    }
    return QString();
}

// ---- QtPrinter -----------------------------------------------------------------------------

QtPrinter::QtPrinter(Target target)
    : target_(target)
{
}

template <class Draw>
PrintOutcome QtPrinter::run(const QString& title, Draw&& draw)
{
    const QPrinterInfo info = target_ == Target::System ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    const bool toPdf = info.isNull();
    QPrinter printer(QPrinter::HighResolution);
    QString pdf;
    if (toPdf) {
        pdf = reservePdfPath(title);
        if (pdf.isEmpty()) {
            const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            MsgBox(tr2(u"No printer is set up on this computer, and the document could not be saved as a PDF file "
                       u"in the folder \"%1\".",
                       u"Aucune imprimante n'est installée sur cet ordinateur, et le document n'a pas pu être "
                       u"enregistré en fichier PDF dans le dossier « %1 ».")
                       .arg(QDir::toNativeSeparators(folder)),
                   vbOKOnly + vbExclamation);
            return PrintOutcome{};
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        // A quarter inch all round, as much as a desk printer leaves unprinted.
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    } else {
        printer.setPrinterName(info.printerName());
    }
    printer.setDocName(title.isEmpty() ? QStringLiteral("Kiv_2000") : title);
    printer.setCreator(QStringLiteral("Kiv_2000"));

    const auto failed = [&] {
        if (toPdf) {
            QFile::remove(pdf);
            MsgBox(tr2(u"The document could not be saved as the PDF file \"%1\".",
                       u"Le document n'a pas pu être enregistré dans le fichier PDF « %1 ».")
                       .arg(QDir::toNativeSeparators(pdf)),
                   vbOKOnly + vbExclamation);
        } else {
            MsgBox(printFailedMessage(info.printerName()), vbOKOnly + vbExclamation);
        }
        return PrintOutcome{};
    };

    QPainter painter;
    if (!painter.begin(&printer))
        return failed();
    const bool drawn = draw(printer, painter);
    const bool ended = painter.end();
    if (!drawn || !ended || printer.printerState() == QPrinter::Error)
        return failed();
    if (toPdf) {
        MsgBox(tr2(u"No printer is set up on this computer, so the document was saved as a PDF file:\n\n%1",
                   u"Aucune imprimante n'est installée sur cet ordinateur ; le document a été enregistré en "
                   u"fichier PDF :\n\n%1")
                   .arg(QDir::toNativeSeparators(pdf)),
               vbOKOnly + vbInformation);
        return PrintOutcome{PrintOutcome::Status::SavedAsPdf, pdf};
    }
    return PrintOutcome{PrintOutcome::Status::Printed, QString()};
}

PrintOutcome QtPrinter::print(const PrintDocument& doc)
{
    return run(doc.title(), [&](QPrinter& printer, QPainter& painter) {
        const DeviceMetrics metrics(&printer);
        const auto pages = layoutDocument(doc, metrics, printer.width(), printer.height());
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (p > 0 && !printer.newPage())
                return false;
            for (const PlacedLine& line : pages[p]) {
                for (const PlacedRun& run : line.runs) {
                    painter.setFont(metrics.font(run.font));
                    painter.drawText(QPointF(run.x, line.y + line.ascent), run.text);
                }
            }
        }
        return true;
    });
}

PrintOutcome QtPrinter::print(const PageDocument& pd)
{
    return run(pd.title, [&](QPrinter& printer, QPainter& painter) {
        // A layout on a paint device scales its lengths from screen pixels to the device.
        const QScreen* screen = QGuiApplication::primaryScreen();
        auto doc = toTextDocument(pd, (screen ? screen->logicalDotsPerInchY() : 96.0) / 72.0, false);
        doc->documentLayout()->setPaintDevice(&printer);
        doc->setDocumentMargin(0);
        const QSizeF page(printer.width(), printer.height());
        doc->setPageSize(page);
        const int count = doc->pageCount();
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        for (int i = 0; i < count; ++i) {
            if (i > 0 && !printer.newPage())
                return false;
            painter.save();
            painter.translate(0, -i * page.height());
            ctx.clip = QRectF(0, i * page.height(), page.width(), page.height());
            painter.setClipRect(ctx.clip);
            doc->documentLayout()->draw(&painter, ctx);
            painter.restore();
        }
        return true;
    });
}

} // namespace kiv
