#pragma once
// Spreadsheet programs for tests: they record every call an export makes and fail where the
// test says, without writing any file.
#include "platform/spreadsheet/automation.h"

#include <QStringList>
#include <map>
#include <vector>

namespace kiv::sheet {

class RecordingServers {
public:
    // Installs itself for CreateObject; the destructor puts the previous factory back.
    RecordingServers();
    ~RecordingServers();
    RecordingServers(const RecordingServers&) = delete;
    RecordingServers& operator=(const RecordingServers&) = delete;

    enum class Step { Create, Cell, SaveAs, Quit };
    // The call of that kind numbered `occurrence` (from 0, counted over all objects) fails
    // with the error number.
    void failAt(Step step, int number, int occurrence = 0);

    // Every call in order, as text:
    //   "create Excel.sheet", "cells(4, 2).Value =  1500",
    //   "Ranges(A:B4.A:B4).Contents = \"...", "saveas MyVal.xlsx", "Quit", "release"
    // A failed call is recorded with " -> error N" appended.
    QStringList calls;
    // The cells set, in order, by their name ("B4") and the text received.
    struct Written {
        QString cell;
        QString text;
    };
    std::vector<Written> written;
    // The last text set in a cell ("" when none was).
    QString cell(const QString& name) const;
    QStringList saved; // names given to saveas

    // The recording object of a program name, as CreateObject gives it while these are installed.
    std::unique_ptr<Server> create(const QString& progId);

private:
    friend class RecordingServer;
    // Throws when the call of that kind is set to fail; records the call either way.
    void step(Step step, const QString& call);

    std::map<std::pair<Step, int>, int> failures_;
    std::map<Step, int> counts_;
    ServerFactory previous_;
};

} // namespace kiv::sheet
