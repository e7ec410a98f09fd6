#include "platform/printer.h"

#include "platform/dialogs.h"
#include "platform/language.h"

#include <algorithm>

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
    void newLine()
    {
        endLine();
        startLine();
    }
    void place(const QString& s)
    {
        if (s.isEmpty())
            return;
        line_.runs.push_back(PlacedRun{x_, font_, s});
        x_ += m_.textWidth(font_, s);
    }
    bool fits(const QString& s) const { return width_ <= 0 || x_ + m_.textWidth(font_, s) <= width_ + kEpsilon; }

    // A text with line breaks of its own: each break starts a new line.
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
            segment(parts[i]);
        }
    }

    // A text without line breaks, wrapped at the page width.
    void segment(QString s)
    {
        while (!s.isEmpty()) {
            if (fits(s)) {
                place(s);
                return;
            }
            // The longest start of the text that still fits on this line.
            qsizetype lo = 0, hi = s.size();
            while (lo < hi) {
                const qsizetype mid = (lo + hi + 1) / 2;
                if (fits(s.left(mid)))
                    lo = mid;
                else
                    hi = mid - 1;
            }
            const qsizetype fit = lo;
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
                newLine();
            } else if (x_ > kEpsilon) {
                newLine(); // the word goes to the next line whole
            } else {
                const qsizetype cut = std::max<qsizetype>(fit, 1); // a word wider than the page
                place(s.left(cut));
                s = s.mid(cut);
                newLine();
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
                                       double pageWidth, double pageHeight)
{
    Layout layout(metrics, pageWidth);
    for (const PrintLine& st : doc.lines())
        layout.statement(st);
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

// ---- Page ----------------------------------------------------------------------------------

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
} // namespace

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
