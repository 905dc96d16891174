// The host console's shared state: the entrant list, the winners list, the
// entrant counter and the busy frame. The window shows it; the commands use it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace tamblo {

// What the window shows of the state, told at every change.
class ConsoleView {
public:
    virtual ~ConsoleView() = default;
    virtual void EntrantInserted(int index, const std::string& name) = 0;
    virtual void EntrantsCleared() = 0;
    virtual void WinnerAppended(const std::string& name) = 0;
    virtual void WinnersCleared() = 0;
    virtual void TotalPeopleChanged(const std::string& text) = 0;
    // Hourglass, disabled, red.
    virtual void BusyEntered() = 0;
    // Arrow, enabled, cyan; the focus to Dummy, or back where it was before.
    virtual void BusyLeft(bool focusDummy) = 0;
};

class Console {
public:
    void SetView(ConsoleView* view) { view_ = view; }

    int EntrantCount() const { return static_cast<int>(entrants_.size()); }
    const std::string& Entrant(int index) const { return entrants_.at(index); }
    const std::vector<std::string>& Entrants() const { return entrants_; }
    // Inserted at its sorted place, never appended; returns the place.
    int InsertEntrant(const std::string& name);
    void ClearEntrants();

    // Whether the name equals a winners-list row.
    bool HasWon(const std::string& name) const { return won_.count(name) != 0; }
    void AppendWinner(const std::string& name);
    void ClearWinners();

    const std::string& TotalPeople() const { return totalPeople_; }
    void SetTotalPeople(const std::string& text);

    // Neither nested nor counted: leaving always restores the idle look.
    void EnterBusy();
    void LeaveBusy(bool focusDummy);
    bool Busy() const { return busy_; }

    // Kept by the sign-up intake between its runs.
    std::string MarkerText;
    int16_t MarkerCount = 0;

private:
    std::vector<std::string> entrants_;
    // The winners' rows, to look a name up among many; the window lists them.
    std::unordered_set<std::string> won_;
    std::string totalPeople_ = "0";
    bool busy_ = false;
    ConsoleView* view_ = nullptr;
};

// Every command runs inside one.
class BusyFrame {
public:
    explicit BusyFrame(Console& console) : console_(console) { console_.EnterBusy(); }
    ~BusyFrame() { console_.LeaveBusy(focusDummy_); }
    BusyFrame(const BusyFrame&) = delete;
    BusyFrame& operator=(const BusyFrame&) = delete;

    // A command that stops early leaves the focus where it was.
    void KeepFocus() { focusDummy_ = false; }

private:
    Console& console_;
    bool focusDummy_ = true;
};

}  // namespace tamblo
