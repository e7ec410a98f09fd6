#include "platform/printer.h"

#include "platform/dialogs.h"
#include "platform/language.h"

#include <algorithm>
#include <cmath>

namespace kiv {

// ---- PrintLine, PrintDocument ------------------------------------------------------------

QString PrintLine::text() const
{
    QString s;
    for (const PrintItem& item : items) {
        if (item.kind == PrintItem::Kind::Text)
            s += item.text;
        else if (item.kind == PrintItem::Kind::Spc && item.n > 0)
            s += QString(item.n, u' ');
    }
    return s;
}

PrintDocument::PrintDocument(const QString& title)
    : title_(title)
{
}

void PrintDocument::print(std::vector<PrintItem> items)
{
    lines_.push_back(PrintLine{font_, std::move(items), false});
}

void PrintDocument::printOpen(std::vector<PrintItem> items)
{
    lines_.push_back(PrintLine{font_, std::move(items), true});
}

void PrintDocument::blankLine(int count)
{
    for (int i = 0; i < count; ++i)
        print({QStringLiteral(" ")});
}

QStringList PrintDocument::textLines(int width) const
{
    QStringList out;
    const FixedPitchMetrics metrics;
    for (const PlacedPage& page : layoutDocument(*this, metrics, width, 0)) {
        for (const PlacedLine& line : page) {
            QString s;
            for (const PlacedRun& run : line.runs) {
                const int at = static_cast<int>(run.x + 0.5);
                if (s.size() < at)
                    s += QString(at - s.size(), u' ');
                s += run.text;
            }
            out << s;
        }
    }
    return out;
}

// ---- layout --------------------------------------------------------------------------------

namespace {

constexpr double kEpsilon = 1e-6;

bool onlyBlanks(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c == u' '; });
}

// A rule: a text of only underscores, dashes or equal signs (blanks around them aside).
bool isRule(QStringView s)
{
    const QStringView t = s.trimmed();
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'_' || c == u'-' || c == u'='; });
}

class Layout {
public:
    Layout(const PrintMetrics& metrics, double pageWidth)
        : m_(metrics)
        , width_(pageWidth)
    {
    }

    void statement(const PrintLine& st)
    {
        font_ = st.font;
        if (!open_)
            startLine();
        else
            noteFont();
        for (const PrintItem& item : st.items) {
            switch (item.kind) {
            case PrintItem::Kind::Text:
                text(item.text);
                break;
            case PrintItem::Kind::Spc:
                if (item.n > 0)
                    text(QString(item.n, u' '));
                break;
            case PrintItem::Kind::Tab: {
                const double to = (std::max(item.n, 1) - 1) * m_.averageCharWidth(font_);
                if (x_ > to + kEpsilon)
                    newLine();
                x_ = to;
                break;
            }
            }
        }
        if (!st.keepOpen)
            endLine();
    }

    std::vector<PlacedLine> finish()
    {
        if (open_)
            endLine();
        return std::move(lines_);
    }

private:
    void startLine()
    {
        line_ = PlacedLine();
        line_.height = m_.lineHeight(font_);
        line_.ascent = m_.ascent(font_);
        x_ = 0;
        open_ = true;
    }
    void noteFont()
    {
        line_.height = std::max(line_.height, m_.lineHeight(font_));
        line_.ascent = std::max(line_.ascent, m_.ascent(font_));
    }
    void endLine()
    {
        lines_.push_back(std::move(line_));
        open_ = false;
    }
    // The next line, its print position at the given place.
    void newLine(double at = 0)
    {
        endLine();
        startLine();
        x_ = at;
    }
    void place(const QString& s)
    {
        if (s.isEmpty())
            return;
        line_.runs.push_back(PlacedRun{x_, font_, s});
        x_ += m_.textWidth(font_, s);
    }
    bool fits(const QString& s) const { return width_ <= 0 || x_ + m_.textWidth(font_, s) <= width_ + kEpsilon; }

    // A text with line breaks of its own: each break starts a new line at the left margin.
    void text(const QString& t)
    {
        QString s = t;
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(u'\r', u'\n');
        s.replace(u'\t', u' ');
        const QStringList parts = s.split(u'\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                newLine();
            if (isRule(parts[i]))
                rule(parts[i]);
            else
                segment(parts[i]);
        }
    }

    // The longest start of the text that still fits on this line.
    qsizetype fittingLength(const QString& s) const
    {
        qsizetype lo = 0, hi = s.size();
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (fits(s.left(mid)))
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

    // A rule ends at the right margin: what does not fit is not printed.
    void rule(const QString& s)
    {
        qsizetype fit = fittingLength(s);
        if (fit == 0 && x_ > kEpsilon) { // it starts past the margin: a line of its own
            newLine();
            fit = fittingLength(s);
        }
        place(s.left(std::max<qsizetype>(fit, 1)));
    }

    // A text without line breaks. What runs past the right margin goes on the next line at the
    // column the text started at, broken at the last blank that fits, a word wider than the
    // room left there cut at the margin. A text that starts where not even a character fits
    // continues at the left margin.
    void segment(QString s)
    {
        const double hang = width_ <= 0 || x_ + m_.averageCharWidth(font_) <= width_ + kEpsilon ? x_ : 0;
        while (!s.isEmpty()) {
            if (fits(s)) {
                place(s);
                return;
            }
            const qsizetype fit = fittingLength(s);
            if (onlyBlanks(QStringView(s).mid(fit))) {
                place(s.left(fit)); // blanks past the edge are not worth a line
                return;
            }
            const qsizetype blank = fit > 0 ? s.lastIndexOf(u' ', fit - 1) : -1;
            if (blank >= 0) {
                place(s.left(blank + 1));
                s = s.mid(blank + 1);
                while (s.startsWith(u' '))
                    s.remove(0, 1);
                newLine(hang);
            } else if (x_ > hang + kEpsilon) {
                newLine(hang); // the word goes whole to the next line
            } else {
                const qsizetype cut = std::max<qsizetype>(fit, 1); // a word wider than the room
                place(s.left(cut));
                s = s.mid(cut);
                newLine(hang);
            }
        }
    }

    const PrintMetrics& m_;
    double width_;
    PrintFont font_;
    PlacedLine line_;
    double x_ = 0;
    bool open_ = false;
    std::vector<PlacedLine> lines_;
};

} // namespace

std::vector<PlacedPage> layoutDocument(const PrintDocument& doc, const PrintMetrics& metrics,
                                       double pageWidth, double pageHeight, PrintTicker* ticker)
{
    Layout layout(metrics, pageWidth);
    for (const PrintLine& st : doc.lines()) {
        if (ticker && !ticker->tick())
            break;
        layout.statement(st);
    }
    std::vector<PlacedPage> pages;
    double y = 0;
    for (PlacedLine& line : layout.finish()) {
        if (pages.empty() || (pageHeight > 0 && !pages.back().empty() && y + line.height > pageHeight + kEpsilon)) {
            pages.emplace_back();
            y = 0;
        }
        line.y = y;
        y += line.height;
        pages.back().push_back(std::move(line));
    }
    return pages;
}

// ---- sheets ------------------------------------------------------------------------------

std::vector<Sheet> sheetsOf(const PrintDocument& doc, const PrintMetrics& metrics, double width, double height,
                            PrintTicker* ticker)
{
    std::vector<Sheet> sheets;
    for (const PlacedPage& page : layoutDocument(doc, metrics, width, height, ticker)) {
        Sheet& sheet = sheets.emplace_back();
        for (const PlacedLine& line : page)
            for (const PlacedRun& run : line.runs)
                if (!onlyBlanks(run.text))
                    sheet.texts.push_back(SheetText{run.x, line.y + line.ascent, run.font, run.text});
    }
    return sheets;
}

namespace {

// The lines a text takes within a width: itself when it fits, else as a document of one line
// would wrap it there (trailing blanks of the lines removed).
QStringList linesWithin(const QString& text, const PrintFont& font, const PrintMetrics& metrics, double width)
{
    const bool breaks = text.contains(u'\n') || text.contains(u'\r');
    if (!breaks && metrics.textWidth(font, text) <= width + kEpsilon)
        return {text};
    PrintDocument one;
    one.setFontName(font.face);
    one.setFontSize(font.size);
    one.setBold(font.bold);
    one.setItalic(font.italic);
    one.print({text});
    QStringList lines;
    for (const PlacedPage& page : layoutDocument(one, metrics, width, 0)) {
        for (const PlacedLine& line : page) {
            QString s;
            for (const PlacedRun& run : line.runs)
                s += run.text;
            while (s.endsWith(u' '))
                s.chop(1);
            lines << s;
        }
    }
    return lines;
}

// Lays the pages of a page document out on sheets.
class SheetLayout {
public:
    SheetLayout(const PrintMetrics& metrics, double width, double height, double unitsPerPoint, PrintTicker* ticker)
        : m_(metrics)
        , width_(width)
        , height_(height)
        , pt_(unitsPerPoint)
        , ticker_(ticker)
    {
    }

    // Tells the ticker; false once it has said stop, from then on.
    bool going()
    {
        if (!stopped_ && ticker_ && !ticker_->tick())
            stopped_ = true;
        return !stopped_;
    }

    void page(const Page& page, const QString& face)
    {
        newSheet();
        for (const PageBlock& block : page.blocks) {
            if (stopped_)
                return;
            if (const auto* p = std::get_if<PageParagraph>(&block))
                paragraph(*p, face);
            else
                table(std::get<PageTable>(block), face);
        }
    }

    std::vector<Sheet> finish() { return std::move(sheets_); }

private:
    struct Cell {
        double left = 0, right = 0;
        PrintFont font;
        QStringList lines;
        bool alignRight = false;
    };
    struct Row {
        std::vector<Cell> cells;
        std::vector<double> edges; // every column edge the row's borders run along, left to right
        int lines = 1;
    };

    Sheet& sheet() { return sheets_.back(); }
    void newSheet()
    {
        sheets_.emplace_back();
        y_ = 0;
    }
    bool room(double h) const { return y_ + h <= height_ + kEpsilon; }

    void paragraph(const PageParagraph& p, const QString& face)
    {
        const PrintFont font{face, p.size > 0 ? p.size : 10, p.bold, p.italic};
        const double lh = m_.lineHeight(font);
        const double ascent = m_.ascent(font);
        for (const QString& line : linesWithin(p.text, font, m_, width_)) {
            if (!room(lh) && y_ > kEpsilon)
                newSheet();
            if (!onlyBlanks(line))
                sheet().texts.push_back(SheetText{0, y_ + ascent, font, line});
            y_ += lh;
        }
        y_ += 2 * pt_;
    }

    void table(const PageTable& t, const QString& face)
    {
        const int columns = t.columnCount();
        if (columns == 0 || t.rows.empty())
            return;
        // Column edges across the area, inside by half a border on either side.
        const double inset = kTableLineWidth * pt_ / 2;
        std::vector<double> share(static_cast<std::size_t>(columns), 1.0);
        if (static_cast<int>(t.columnWidths.size()) == columns) {
            double total = 0;
            for (double w : t.columnWidths)
                total += std::max(w, 0.0);
            if (total > 0)
                for (int c = 0; c < columns; ++c)
                    share[static_cast<std::size_t>(c)] = std::max(t.columnWidths[static_cast<std::size_t>(c)], 0.0);
        }
        double total = 0;
        for (double w : share)
            total += w;
        std::vector<double> edges{inset};
        double sum = 0;
        for (double w : share) {
            sum += w;
            edges.push_back(inset + (width_ - 2 * inset) * sum / total);
        }

        pad_ = 2 * pt_;
        const PrintFont plain{face, 10, false, false};
        const PrintFont bold{face, 10, true, false};
        lh_ = m_.lineHeight(plain);
        std::vector<Row> rows;
        rows.reserve(t.rows.size());
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            if (!going())
                return;
            Row row;
            int c = 0;
            for (const PageCell& cell : t.rows[r]) {
                if (c >= columns)
                    break;
                const int span = std::min(std::max(cell.span, 1), columns - c);
                Cell placed;
                placed.left = edges[static_cast<std::size_t>(c)];
                placed.right = edges[static_cast<std::size_t>(c + span)];
                placed.font = cell.bold || static_cast<int>(r) < t.headerRows ? bold : plain;
                placed.lines = linesWithin(cell.text, placed.font, m_, std::max(placed.right - placed.left - 2 * pad_, 0.0));
                placed.alignRight = cell.alignRight;
                row.lines = std::max(row.lines, static_cast<int>(placed.lines.size()));
                row.edges.push_back(placed.left);
                row.cells.push_back(std::move(placed));
                c += span;
            }
            for (; c < columns; ++c) // cells the row leaves out are empty
                row.edges.push_back(edges[static_cast<std::size_t>(c)]);
            row.edges.push_back(edges.back());
            rows.push_back(std::move(row));
        }

        left_ = edges.front();
        right_ = edges.back();
        const int headers = std::clamp(t.headerRows, 0, static_cast<int>(rows.size()));
        y_ += 6 * pt_;
        if (!room(rowHeight(rows.front(), 0, rows.front().lines)) && y_ > 6 * pt_ + kEpsilon)
            newSheet();
        open_ = false;
        sheetTop_ = y_;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (!going())
                break;
            const Row& row = rows[r];
            int from = 0;
            while (from < row.lines) {
                int to = row.lines;
                while (to > from && !room(rowHeight(row, from, to)))
                    --to;
                if (to < row.lines && y_ > sheetTop_ + kEpsilon) {
                    // The row goes whole to the next sheet, under the table's header rows.
                    closeTable();
                    newSheet();
                    sheetTop_ = 0;
                    if (static_cast<int>(r) >= headers) {
                        for (int h = 0; h < headers; ++h)
                            placeRow(rows[static_cast<std::size_t>(h)], 0, rows[static_cast<std::size_t>(h)].lines);
                        sheetTop_ = y_;
                    }
                    continue;
                }
                to = std::max(to, from + 1); // a row taller than a sheet: as many lines as fit
                placeRow(row, from, to);
                from = to;
                if (from < row.lines) {
                    closeTable();
                    newSheet();
                    sheetTop_ = 0;
                }
            }
        }
        closeTable();
    }

    // Lines [from, to) of a row: the padding above its first line and below its last.
    double rowHeight(const Row& row, int from, int to) const
    {
        return (to - from) * lh_ + (from == 0 ? pad_ : 0) + (to == row.lines ? pad_ : 0);
    }

    void placeRow(const Row& row, int from, int to)
    {
        const double top = y_;
        const double bottom = y_ + rowHeight(row, from, to);
        sheet().lines.push_back(SheetLine{left_, top, right_, top});
        // A border that goes on from the row above is one line with it.
        std::vector<std::size_t> verticals;
        for (double x : row.edges) {
            const auto above = std::find_if(verticals_.begin(), verticals_.end(), [&](std::size_t i) {
                const SheetLine& l = sheet().lines[i];
                return l.x1 == x && std::abs(l.y2 - top) <= kEpsilon;
            });
            if (above != verticals_.end()) {
                sheet().lines[*above].y2 = bottom;
                verticals.push_back(*above);
            } else {
                verticals.push_back(sheet().lines.size());
                sheet().lines.push_back(SheetLine{x, top, x, bottom});
            }
        }
        verticals_ = std::move(verticals);
        const double first = top + (from == 0 ? pad_ : 0);
        for (const Cell& cell : row.cells) {
            const double ascent = m_.ascent(cell.font);
            for (int i = from; i < to && i < cell.lines.size(); ++i) {
                const QString& line = cell.lines[i];
                if (onlyBlanks(line))
                    continue;
                const double x = cell.alignRight ? cell.right - pad_ - m_.textWidth(cell.font, line) : cell.left + pad_;
                sheet().texts.push_back(SheetText{std::max(x, cell.left + pad_), first + (i - from) * lh_ + ascent, cell.font, line});
            }
        }
        y_ = bottom;
        open_ = true;
    }

    void closeTable()
    {
        if (open_)
            sheet().lines.push_back(SheetLine{left_, y_, right_, y_});
        open_ = false;
        verticals_.clear();
    }

    const PrintMetrics& m_;
    double width_, height_, pt_;
    PrintTicker* ticker_;
    bool stopped_ = false;
    std::vector<Sheet> sheets_;
    double y_ = 0;
    // The table being laid out.
    double pad_ = 0, lh_ = 0, left_ = 0, right_ = 0, sheetTop_ = 0;
    bool open_ = false;
    std::vector<std::size_t> verticals_; // the last row's borders down, in the sheet's lines
};

} // namespace

std::vector<Sheet> sheetsOf(const PageDocument& doc, const PrintMetrics& metrics, double width, double height,
                            double unitsPerPoint, PrintTicker* ticker)
{
    SheetLayout layout(metrics, width, height, unitsPerPoint, ticker);
    for (const Page& page : doc.pages) {
        if (!layout.going())
            break;
        layout.page(page, doc.face);
    }
    return layout.finish();
}

// ---- Page ----------------------------------------------------------------------------------

int PageTable::columnCount() const
{
    int columns = static_cast<int>(columnWidths.size());
    for (const auto& row : rows) {
        int n = 0;
        for (const PageCell& c : row)
            n += std::max(c.span, 1);
        columns = std::max(columns, n);
    }
    return columns;
}

QString Page::toText() const
{
    QStringList out;
    for (const PageBlock& block : blocks) {
        if (const auto* p = std::get_if<PageParagraph>(&block)) {
            out << p->text;
            continue;
        }
        const auto& table = std::get<PageTable>(block);
        std::vector<qsizetype> widths;
        for (const auto& row : table.rows) {
            std::size_t col = 0;
            for (const PageCell& cell : row) {
                if (widths.size() <= col)
                    widths.resize(col + 1, 0);
                if (cell.span == 1)
                    widths[col] = std::max(widths[col], cell.text.size());
                col += static_cast<std::size_t>(std::max(cell.span, 1));
            }
        }
        for (const auto& row : table.rows) {
            QString line;
            std::size_t col = 0;
            for (const PageCell& cell : row) {
                const std::size_t span = static_cast<std::size_t>(std::max(cell.span, 1));
                qsizetype w = 0;
                for (std::size_t c = col; c < col + span && c < widths.size(); ++c)
                    w += widths[c] + (c > col ? 2 : 0);
                if (col > 0)
                    line += QStringLiteral("  ");
                line += cell.alignRight ? cell.text.rightJustified(w) : cell.text.leftJustified(w);
                col += span;
            }
            while (line.endsWith(u' '))
                line.chop(1);
            out << line;
        }
    }
    return out.join(u'\n');
}

// ---- the printer seam ----------------------------------------------------------------------

namespace {
Printer*& current()
{
    static Printer* p = nullptr;
    return p;
}

PrintOutcome noPrinter()
{
    MsgBox(printFailedMessage(QString()), vbOKOnly + vbExclamation);
    return PrintOutcome{};
}

// A printout handed to a printer once built, with no progress of its own (none: no printer).
class DirectJob : public PrintJob {
public:
    explicit DirectJob(Printer* printer)
        : printer_(printer)
    {
    }
    bool tick() override { return true; }
    bool cancelled() const override { return false; }
    PrintOutcome print(const PrintDocument& doc) override { return printer_ ? printer_->print(doc) : noPrinter(); }
    PrintOutcome print(const PageDocument& doc) override { return printer_ ? printer_->print(doc) : noPrinter(); }

private:
    Printer* printer_;
};
} // namespace

std::unique_ptr<PrintJob> Printer::start(const QString&)
{
    return std::make_unique<DirectJob>(this);
}

Printer* setPrinter(Printer* printer)
{
    Printer* old = current();
    current() = printer;
    return old;
}

Printer* printer()
{
    return current();
}

PrintOutcome printDocument(const PrintDocument& doc)
{
    return current() ? current()->print(doc) : noPrinter();
}

PrintOutcome printDocument(const PageDocument& doc)
{
    return current() ? current()->print(doc) : noPrinter();
}

std::unique_ptr<PrintJob> startPrintout(const QString& title)
{
    return current() ? current()->start(title) : std::make_unique<DirectJob>(nullptr);
}

QString printFailedMessage(const QString& printerName)
{
    if (gLanguage == 0) {
        const QString where = printerName.isEmpty() ? QString() : QStringLiteral(" on \"%1\"").arg(printerName);
        return QStringLiteral("The document could not be printed%1. Check that the printer is switched on and "
                              "connected, then try again.")
            .arg(where);
    }
    const QString where = printerName.isEmpty() ? QString() : QStringLiteral(" sur « %1 »").arg(printerName);
    return QStringLiteral("Le document n'a pas pu être imprimé%1. Vérifiez que l'imprimante est allumée et "
                          "branchée, puis réessayez.")
        .arg(where);
}

RecordingPrinter::RecordingPrinter()
    : previous_(setPrinter(this))
{
}

RecordingPrinter::~RecordingPrinter()
{
    if (current() == this)
        setPrinter(previous_);
}

PrintOutcome RecordingPrinter::print(const PrintDocument& doc)
{
    if (failing_)
        return noPrinter();
    documents_.push_back(doc);
    return PrintOutcome{PrintOutcome::Status::Printed, QString()};
}

PrintOutcome RecordingPrinter::print(const PageDocument& doc)
{
    if (failing_)
        return noPrinter();
    pageDocuments_.push_back(doc);
    return PrintOutcome{PrintOutcome::Status::Printed, QString()};
}

} // namespace kiv
