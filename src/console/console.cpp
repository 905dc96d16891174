#include "console/console.h"

#include <algorithm>

namespace tamblo {

namespace {

unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Ascending, ignoring case (ASCII letters); names equal but for case keep
// upper case first, then by byte, so the order is total and repeatable.
bool EntrantOrder(const std::string& left, const std::string& right) {
    const auto folded = std::lexicographical_compare(
        left.begin(), left.end(), right.begin(), right.end(),
        [](char a, char b) { return Folded(a) < Folded(b); });
    if (folded) return true;
    const auto foldedReverse = std::lexicographical_compare(
        right.begin(), right.end(), left.begin(), left.end(),
        [](char a, char b) { return Folded(a) < Folded(b); });
    if (foldedReverse) return false;
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char a, char b) {
                                            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
                                        });
}

}  // namespace

int Console::InsertEntrant(const std::string& name) {
    const auto place = std::upper_bound(entrants_.begin(), entrants_.end(), name, EntrantOrder);
    const int index = static_cast<int>(place - entrants_.begin());
    entrants_.insert(place, name);
    if (view_) view_->EntrantInserted(index, name);
    return index;
}

void Console::ClearEntrants() {
    entrants_.clear();
    if (view_) view_->EntrantsCleared();
}

void Console::AppendWinner(const std::string& name) {
    won_.insert(name);
    if (view_) view_->WinnerAppended(name);
}

void Console::ClearWinners() {
    won_.clear();
    if (view_) view_->WinnersCleared();
}

void Console::SetTotalPeople(const std::string& text) {
    totalPeople_ = text;
    if (view_) view_->TotalPeopleChanged(text);
}

void Console::EnterBusy() {
    busy_ = true;
    if (view_) view_->BusyEntered();
}

void Console::LeaveBusy(bool focusDummy) {
    busy_ = false;
    if (view_) view_->BusyLeft(focusDummy);
}

}  // namespace tamblo
