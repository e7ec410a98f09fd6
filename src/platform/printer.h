#pragma once
// The printer layer. Every printout of the program is one document handed to the printer in
// one piece, so it is printed whole or not at all and ends exactly once.
//
// Two kinds of documents:
//  - PrintDocument: lines of items (a text, Tab(n), Spc(n)) in a font set between lines; Tab(n)
//    moves to character column n, counted from 1 in average character widths of the current
//    font, and to column n of the next line when the line is already past it. A rule (a text
//    of only underscores, dashes or equal signs) ends at the right margin; any other text that
//    runs past it goes on in the next line at the column where that text started. Pages break
//    when full.
//  - PageDocument: pages of headings and tables (the prepared industry reports).
//
// The printer itself is a seam: the program installs the real one (printer_qt.h), tests a
// RecordingPrinter. Printing reports its own failures to the user; callers only need the
// outcome when something else depends on it.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

namespace kiv {

// ---- lines of items --------------------------------------------------------------------

struct PrintFont {
    QString face;     // empty: the printer's own face
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintFont&) const = default;
};

struct PrintItem {
    enum class Kind { Text, Tab, Spc };
    Kind kind = Kind::Text;
    QString text; // Text
    int n = 0;    // Tab: the column, from 1; Spc: the number of blanks

    PrintItem() = default;
    PrintItem(const QString& s) : text(s) {} // NOLINT: a text is the usual item
    PrintItem(const char16_t* s) : text(QString::fromUtf16(s)) {} // NOLINT
    PrintItem(Kind k, int count) : kind(k), n(count) {}
    bool operator==(const PrintItem&) const = default;
};

inline PrintItem Tab(int column)
{
    return PrintItem(PrintItem::Kind::Tab, column);
}
inline PrintItem Spc(int blanks)
{
    return PrintItem(PrintItem::Kind::Spc, blanks);
}

// One print statement: its items in the font in effect when it was printed. The line ends
// after it unless keepOpen is set, in which case the next statement continues the line.
struct PrintLine {
    PrintFont font;
    std::vector<PrintItem> items;
    bool keepOpen = false;
    // The texts of the items, one blank per Spc blank, Tab as nothing: "what the line says".
    QString text() const;
};

class PrintDocument {
public:
    // The title names the document for the print queue and the PDF file ("Industry index").
    explicit PrintDocument(const QString& title = QString());

    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // Font for the lines printed after the change. A document starts in the printer's own
    // face, 10 points, neither bold nor italic; nothing carries over from an earlier printout.
    void setFontName(const QString& face) { font_.face = face; }
    void setFontSize(double points) { font_.size = points; }
    void setBold(bool on) { font_.bold = on; }
    void setItalic(bool on) { font_.italic = on; }
    const PrintFont& font() const { return font_; }

    // One line of items.
    void print(std::vector<PrintItem> items);
    void print(std::initializer_list<PrintItem> items) { print(std::vector<PrintItem>(items)); }
    // Items that the next statement continues on the same line.
    void printOpen(std::vector<PrintItem> items);
    void printOpen(std::initializer_list<PrintItem> items) { printOpen(std::vector<PrintItem>(items)); }
    // A blank line: a line holding one blank. count lines of it.
    void blankLine(int count = 1);

    const std::vector<PrintLine>& lines() const { return lines_; }
    bool isEmpty() const { return lines_.empty(); }

    // The document as a fixed-pitch printer with the given width in characters would print
    // it (one column per character; 0: no page width). Trailing blanks of each line are kept.
    QStringList textLines(int width = 0) const;
    QString toText(int width = 0) const { return textLines(width).join(u'\n'); }

private:
    QString title_;
    PrintFont font_;
    std::vector<PrintLine> lines_;
};

// ---- while a printout is prepared ----------------------------------------------------------

// Told now and then while a printout is being prepared: while its document is built and while
// its sheets are laid out. tick() answers false once the printout is to stop (the user has
// cancelled it); the work then ends where it is, and what it has made so far is incomplete.
// The layouts below tick after each statement, page and table row when they are given one.
// The real printer keeps the windows repainting from its ticks and, when the printout takes a
// while, shows its progress there.
class PrintTicker {
public:
    virtual ~PrintTicker() = default;
    virtual bool tick() = 0;
};

// ---- laying lines out on pages -----------------------------------------------------------

// Sizes of text in a font, in the units of the page.
class PrintMetrics {
public:
    virtual ~PrintMetrics() = default;
    virtual double textWidth(const PrintFont& font, const QString& text) const = 0;
    virtual double averageCharWidth(const PrintFont& font) const = 0;
    virtual double lineHeight(const PrintFont& font) const = 0;
    virtual double ascent(const PrintFont& font) const = 0;
};

// One character per unit, every font alike: what textLines() uses.
class FixedPitchMetrics : public PrintMetrics {
public:
    double textWidth(const PrintFont&, const QString& text) const override { return text.size(); }
    double averageCharWidth(const PrintFont&) const override { return 1; }
    double lineHeight(const PrintFont&) const override { return 1; }
    double ascent(const PrintFont&) const override { return 1; }
};

struct PlacedRun {
    double x = 0;
    PrintFont font;
    QString text;
};

struct PlacedLine {
    double y = 0;      // top of the line on its page
    double height = 0; // the tallest font of the line
    double ascent = 0;
    std::vector<PlacedRun> runs;
};

using PlacedPage = std::vector<PlacedLine>;

// Places the document's lines on pages of the given size (0: no limit in that direction).
// A text that runs past the page width goes on in the next line at the column it started at,
// broken at the last blank that fits when there is one (a word wider than the room is cut);
// a rule is cut at the page width instead; a line break inside a text starts a new line at
// the left margin; a page holds at least one line.
std::vector<PlacedPage> layoutDocument(const PrintDocument& doc, const PrintMetrics& metrics,
                                       double pageWidth, double pageHeight, PrintTicker* ticker = nullptr);

// ---- pages of headings and tables ----------------------------------------------------------

struct PageParagraph {
    QString text;
    double size = 10;
    bool bold = false;
    bool italic = false;
};

struct PageCell {
    QString text;
    bool bold = false;
    bool alignRight = false;
    int span = 1; // columns the cell covers
};

struct PageTable {
    std::vector<double> columnWidths; // relative widths, one per column
    int headerRows = 0;               // repeated rows at the top, drawn bold
    std::vector<std::vector<PageCell>> rows;
    // The columns: as many as widths are given, or as the widest row spans when that is more.
    int columnCount() const;
};

using PageBlock = std::variant<PageParagraph, PageTable>;

struct Page {
    std::vector<PageBlock> blocks;
    // The page as text: one line per paragraph, one per table row with the cells padded to
    // their column's widest text and joined by two blanks (trailing blanks removed).
    QString toText() const;
};

struct PageDocument {
    QString title;
    QString face; // empty: the printer's own face
    std::vector<Page> pages; // each starts on a new sheet
};

// ---- what each sheet of paper carries -------------------------------------------------------

// A text drawn at a place: its left end and its baseline.
struct SheetText {
    double x = 0;
    double baseline = 0;
    PrintFont font;
    QString text;
};

// A thin straight line, such as a border of a table.
struct SheetLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Sheet {
    std::vector<SheetText> texts;
    std::vector<SheetLine> lines;
};

// The sheets a document prints on, its printable area width x height in the units of the
// metrics (the area's top left corner is 0, 0). Everything lies inside the area: a text from
// its top (baseline less its font's ascent) to its top plus its font's line height, a line
// with its half width on either side. Texts of blanks only are left out: they print nothing.
std::vector<Sheet> sheetsOf(const PrintDocument& doc, const PrintMetrics& metrics, double width, double height,
                            PrintTicker* ticker = nullptr);

// A page document: each page starts a sheet of its own and goes on to the next sheets when it
// is longer. Paragraphs and table cells wrap within their width; a table that goes on to the
// next sheet repeats its header rows there; a row is kept on one sheet unless it is taller
// than a sheet. unitsPerPoint gives the lengths of the page layout (paddings, spacings, the
// borders' width) in the units of the metrics.
inline constexpr double kTableLineWidth = 0.5; // points
std::vector<Sheet> sheetsOf(const PageDocument& doc, const PrintMetrics& metrics, double width, double height,
                            double unitsPerPoint, PrintTicker* ticker = nullptr);

// ---- the printer -------------------------------------------------------------------------

struct PrintOutcome {
    enum class Status { Printed, SavedAsPdf, Failed, Cancelled };
    Status status = Status::Failed;
    QString pdfPath; // SavedAsPdf: the file written
    // Printed or saved. A failure and the user's cancel have been told to the user.
    bool ok() const { return status == Status::Printed || status == Status::SavedAsPdf; }
};

// A printout from the moment the user asks for it, while its document is still to be built:
// the printer's progress runs from the start (the real printer's dialog with Cancel comes up
// after its delay even while the document is being built). Whoever builds the document ticks
// the job; print() then prints what was built, or, when the user has cancelled meanwhile,
// prints nothing and tells them so (the outcome is Cancelled). One print() per job; a job
// dropped without one ends without a word. The printer that started it outlives it.
class PrintJob : public PrintTicker {
public:
    virtual bool cancelled() const = 0;
    virtual PrintOutcome print(const PrintDocument& doc) = 0;
    virtual PrintOutcome print(const PageDocument& doc) = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual PrintOutcome print(const PrintDocument& doc) = 0;
    virtual PrintOutcome print(const PageDocument& doc) = 0;
    // Starts a printout now (PrintJob). This one never stops a tick and prints through print().
    virtual std::unique_ptr<PrintJob> start(const QString& title);
};

// Installs the printer used from now on; the previous one is returned. The program installs
// the real one at start, tests a recording one.
Printer* setPrinter(Printer* printer);
Printer* printer();

// Sends a document to the installed printer. Failures have been told to the user (a message
// in their language) when this returns; nothing else has changed.
PrintOutcome printDocument(const PrintDocument& doc);
PrintOutcome printDocument(const PageDocument& doc);
// Starts a printout on the installed printer (PrintJob) for a document that takes a while to
// build; without a printer its print() fails as printDocument does.
std::unique_ptr<PrintJob> startPrintout(const QString& title);

// Keeps every document it is given, in order, and prints nothing. Installs itself while it
// lives.
class RecordingPrinter : public Printer {
public:
    RecordingPrinter();
    ~RecordingPrinter() override;
    RecordingPrinter(const RecordingPrinter&) = delete;
    RecordingPrinter& operator=(const RecordingPrinter&) = delete;

    PrintOutcome print(const PrintDocument& doc) override;
    PrintOutcome print(const PageDocument& doc) override;

    const std::vector<PrintDocument>& documents() const { return documents_; }
    const std::vector<PageDocument>& pageDocuments() const { return pageDocuments_; }
    // The last tabbed-lines document; an empty one when none was printed.
    PrintDocument last() const { return documents_.empty() ? PrintDocument() : documents_.back(); }
    void clear()
    {
        documents_.clear();
        pageDocuments_.clear();
    }
    // From now on every print fails (as a printer that is off line), after the usual message.
    void setFailing(bool on) { failing_ = on; }

private:
    std::vector<PrintDocument> documents_;
    std::vector<PageDocument> pageDocuments_;
    Printer* previous_ = nullptr;
    bool failing_ = false;
};

// The message given when a document could not be printed, in the user's language.
QString printFailedMessage(const QString& detail);

} // namespace kiv
