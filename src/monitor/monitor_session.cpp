#include "monitor/monitor_session.h"

#include <memory>
#include <utility>

namespace telvanor {

MonitorSession::MonitorSession(SerialLine line, RegisterFunction function, std::vector<RegisterBlock> blocks,
                               std::chrono::milliseconds interval)
    : line_(std::move(line)), function_(function), blocks_(std::move(blocks)), interval_(interval) {
    thread_ = std::thread([this] { run(); });
}

MonitorSession::~MonitorSession() {
    requestStop();
    thread_.join();
}

void MonitorSession::requestStop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
}

void MonitorSession::requestWrite(std::uint16_t address, std::uint16_t value) {
    {
        std::lock_guard lock(mutex_);
        writesAsked_.emplace_back(address, value);
    }
    wake_.notify_all();
}

MonitorSession::Events MonitorSession::takeEvents() {
    std::lock_guard lock(mutex_);
    Events taken = std::move(events_);
    events_ = Events{};
    events_.finished = taken.finished;
    return taken;
}

void MonitorSession::run() {
    std::unique_ptr<ModbusMaster> master;
    try {
        master = std::make_unique<ModbusMaster>(line_);
    } catch (const MonitorError& failure) {
        std::lock_guard lock(mutex_);
        events_.openFailure = failure.what();
        events_.finished = true;
        return;
    }
    while (!stopRequested()) {
        Round round{std::chrono::system_clock::now(),
                    readRound(*master, function_, blocks_, [this] { return stopRequested(); })};
        std::unique_lock lock(mutex_);
        if (!stopRequested()) events_.rounds.push_back(std::move(round));
        // Until the next round: the writes asked for meanwhile go first, each as it comes.
        auto due = std::chrono::steady_clock::now() + interval_;
        while (!stopRequested()) {
            if (!writesAsked_.empty()) {
                auto [address, value] = writesAsked_.front();
                writesAsked_.pop_front();
                lock.unlock();
                std::optional<std::string> error = master->writeRegister(address, value);
                lock.lock();
                events_.writes.push_back({address, value, error});
                continue;
            }
            if (wake_.wait_until(lock, due) == std::cv_status::timeout) break;
        }
    }
    master.reset();
    std::lock_guard lock(mutex_);
    // A write asked for but overtaken by the stop is said to be lost, not dropped quietly.
    for (auto [address, value] : writesAsked_)
        events_.writes.push_back({address, value, std::string("the reads were stopped before it")});
    writesAsked_.clear();
    events_.finished = true;
}

}  // namespace telvanor
