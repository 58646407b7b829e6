#pragma once

// Shows the busy pointer over the whole program for as long as it lives,
// whatever way the command it guards ends.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
