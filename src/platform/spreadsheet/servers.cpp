#include "platform/spreadsheet/automation.h"
#include "platform/spreadsheet/cell_text.h"
#include "platform/spreadsheet/save_file.h"
#include "platform/spreadsheet/wk1.h"

#include "kiv_config.h"

#include <QFile>
#include <dlfcn.h>
#include <map>
#include <optional>
#include <stdexcept>
#include <xlsxwriter.h>

namespace kiv::sheet {

namespace {

ServerFactory& installed()
{
    static ServerFactory factory;
    return factory;
}

// The workbook library, opened on the first Excel export rather than with the program: it
// brings a cryptography library whose loading would delay the first window by milliseconds.
struct WorkbookLibrary {
    decltype(&::workbook_new_opt) newWorkbook = nullptr;
    decltype(&::workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&::worksheet_write_number) writeNumber = nullptr;
    decltype(&::worksheet_write_string) writeString = nullptr;
    decltype(&::workbook_close) closeWorkbook = nullptr;
};

template <class F>
bool resolve(void* handle, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
}

// Null when the library is not installed: Excel then cannot be started.
const WorkbookLibrary* workbookLibrary()
{
    static const std::optional<WorkbookLibrary> library = []() -> std::optional<WorkbookLibrary> {
        void* handle = dlopen(KIV_XLSXWRITER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return std::nullopt;
        WorkbookLibrary l;
        if (resolve(handle, "workbook_new_opt", l.newWorkbook) && resolve(handle, "workbook_add_worksheet", l.addWorksheet)
            && resolve(handle, "worksheet_write_number", l.writeNumber)
            && resolve(handle, "worksheet_write_string", l.writeString) && resolve(handle, "workbook_close", l.closeWorkbook))
            return l;
        dlclose(handle);
        return std::nullopt;
    }();
    return library ? &*library : nullptr;
}

// Both programs keep the cells they are given and write them into one file at saveas.
class CollectingServer : public Server {
public:
    void saveas(const QString& name) override
    {
        alive();
        save(name);
    }
    void quit() override
    {
        alive();
        quit_ = true;
    }

protected:
    void alive() const
    {
        if (quit_)
            throw AutomationError{kServerGone, QString()};
    }
    void put(int row, int column, const QString& text)
    {
        if (text.isEmpty())
            cells_.erase({row, column});
        else
            cells_[{row, column}] = text;
    }
    // Writes the cells into a file of that name.
    virtual void save(const QString& name) const = 0;

    std::map<std::pair<int, int>, QString> cells_; // (row, column) to the text set
    bool quit_ = false;
};

class ExcelServer final : public CollectingServer {
public:
    explicit ExcelServer(const WorkbookLibrary& library)
        : xlsx_(library)
    {
    }
    void setCellValue(int row, int column, const QString& text) override
    {
        alive();
        if (row < 1 || row > 1048576 || column < 1 || column > 16384)
            throw AutomationError{kInvalidCall, QString()};
        put(row, column, text);
    }
    void setRangeContents(const QString&, const QString&) override { throw AutomationError{kInvalidCall, QString()}; }

private:
    // An Office Open XML workbook of one sheet: number cells for texts that read in full as a
    // number, text cells for the rest. The library writes it straight into the new file beside
    // the target, and the parts it makes on the way into the scratch folder beside it, so that
    // nothing of the workbook is ever left anywhere else.
    void save(const QString& name) const override
    {
        saveWorkbookFileWith(name, [this](const QString& newFile, const QString& scratch) { write(newFile, scratch); });
    }

    void write(const QString& newFile, const QString& scratch) const
    {
        const QByteArray path = QFile::encodeName(newFile);
        QByteArray tmp = QFile::encodeName(scratch);
        lxw_workbook_options options{};
        options.tmpdir = tmp.data();
        lxw_workbook* book = xlsx_.newWorkbook(path.constData(), &options);
        if (!book)
            throw std::runtime_error("workbook");
        lxw_worksheet* sheet = xlsx_.addWorksheet(book, nullptr);
        lxw_error status = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
        for (const auto& [at, text] : cells_) {
            if (status != LXW_NO_ERROR)
                break;
            const auto row = static_cast<lxw_row_t>(at.first - 1);
            const auto column = static_cast<lxw_col_t>(at.second - 1);
            if (const auto n = numberCellValue(text))
                status = xlsx_.writeNumber(sheet, row, column, *n, nullptr);
            else
                status = xlsx_.writeString(sheet, row, column, text.toUtf8().constData(), nullptr);
        }
        const lxw_error closed = xlsx_.closeWorkbook(book);
        if (status == LXW_ERROR_MEMORY_MALLOC_FAILED || closed == LXW_ERROR_MEMORY_MALLOC_FAILED)
            throw std::bad_alloc();
        if (status != LXW_NO_ERROR || closed != LXW_NO_ERROR)
            throw std::runtime_error("workbook");
    }

    const WorkbookLibrary& xlsx_;
};

class LotusServer final : public CollectingServer {
public:
    void setCellValue(int, int, const QString&) override { throw AutomationError{kInvalidCall, QString()}; }
    void setRangeContents(const QString& range, const QString& text) override
    {
        alive();
        int row = 0, column = 0;
        // A WK1 worksheet has 8192 rows and 256 columns (A to IV).
        if (!parseOneCellRange(range, &row, &column) || row > 8192 || column > 256)
            throw AutomationError{kInvalidCall, QString()};
        put(row, column, text);
    }

private:
    void save(const QString& name) const override
    {
        saveWorkbookFile(name, [this] {
            std::vector<wk1::Cell> cells;
            cells.reserve(cells_.size());
            for (const auto& [at, text] : cells_)
                cells.push_back(wk1::contentsCell(at.first, at.second, text));
            return wk1::worksheet(std::move(cells));
        });
    }
};

} // namespace

ServerFactory setServerFactory(ServerFactory factory)
{
    ServerFactory old = std::move(installed());
    installed() = std::move(factory);
    return old;
}

std::unique_ptr<Server> createExcelServer()
{
    const WorkbookLibrary* library = workbookLibrary();
    if (!library)
        throw AutomationError{kCannotCreateObject, QString()};
    return std::make_unique<ExcelServer>(*library);
}

std::unique_ptr<Server> createLotusServer()
{
    return std::make_unique<LotusServer>();
}

std::unique_ptr<Server> CreateObject(const QString& progId)
{
    if (installed())
        return installed()(progId);
    if (progId.compare(QString::fromUtf16(kExcelProgId), Qt::CaseInsensitive) == 0)
        return createExcelServer();
    if (progId.compare(QString::fromUtf16(kLotusProgId), Qt::CaseInsensitive) == 0)
        return createLotusServer();
    throw AutomationError{kCannotCreateObject, QString()};
}

} // namespace kiv::sheet
