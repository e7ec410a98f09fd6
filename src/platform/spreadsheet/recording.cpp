#include "platform/spreadsheet/recording.h"

#include "platform/spreadsheet/cell_text.h"

namespace kiv::sheet {

class RecordingServer final : public Server {
public:
    RecordingServer(RecordingServers& log, bool excel)
        : log_(log)
        , excel_(excel)
    {
    }
    ~RecordingServer() override { log_.calls << QStringLiteral("release"); }

    void setCellValue(int row, int column, const QString& text) override
    {
        const QString call = QStringLiteral("cells(%1, %2).Value = ").arg(row).arg(column) + text;
        if (!excel_ || row < 1 || column < 1) {
            fail(call);
        }
        log_.step(RecordingServers::Step::Cell, call);
        log_.written.push_back({cellName(row, column), text});
    }
    void setRangeContents(const QString& range, const QString& text) override
    {
        const QString call = QStringLiteral("Ranges(") + range + QStringLiteral(").Contents = ") + text;
        int row = 0, column = 0;
        if (excel_ || !parseOneCellRange(range, &row, &column))
            fail(call);
        log_.step(RecordingServers::Step::Cell, call);
        log_.written.push_back({cellName(row, column), text});
    }
    void saveas(const QString& name) override
    {
        log_.step(RecordingServers::Step::SaveAs, QStringLiteral("saveas ") + name);
        log_.saved << name;
    }
    void quit() override { log_.step(RecordingServers::Step::Quit, QStringLiteral("Quit")); }

private:
    [[noreturn]] void fail(const QString& call)
    {
        log_.calls << call + QStringLiteral(" -> error %1").arg(kInvalidCall);
        throw AutomationError{kInvalidCall, QString()};
    }

    RecordingServers& log_;
    bool excel_;
};

RecordingServers::RecordingServers()
    : previous_(setServerFactory([this](const QString& progId) { return create(progId); }))
{
}

RecordingServers::~RecordingServers()
{
    setServerFactory(std::move(previous_));
}

void RecordingServers::failAt(Step step, int number, int occurrence)
{
    failures_[{step, occurrence}] = number;
}

QString RecordingServers::cell(const QString& name) const
{
    for (auto it = written.rbegin(); it != written.rend(); ++it)
        if (it->cell == name)
            return it->text;
    return QString();
}

void RecordingServers::step(Step step, const QString& call)
{
    const int n = counts_[step]++;
    const auto failure = failures_.find({step, n});
    if (failure != failures_.end()) {
        calls << call + QStringLiteral(" -> error %1").arg(failure->second);
        throw AutomationError{failure->second, QString()};
    }
    calls << call;
}

std::unique_ptr<Server> RecordingServers::create(const QString& progId)
{
    const bool excel = progId == QString::fromUtf16(kExcelProgId);
    const bool lotus = progId == QString::fromUtf16(kLotusProgId);
    const QString call = QStringLiteral("create ") + progId;
    if (!excel && !lotus) {
        calls << call + QStringLiteral(" -> error %1").arg(kCannotCreateObject);
        throw AutomationError{kCannotCreateObject, QString()};
    }
    step(Step::Create, call);
    return std::make_unique<RecordingServer>(*this, excel);
}

} // namespace kiv::sheet
