#pragma once
// The busy cursor for as long as an operation that may take a noticeable time runs; nested
// operations stack, and an error leaving the operation restores the cursor too.
#include <QApplication>

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
