#pragma once
// The program's three windows for a test, connected as the program connects them, on a worker
// pool of their own.
#include "ProgramWindows.h"

struct TestWindows {
    explicit TestWindows(int threads = common::ThreadPool::MachineThreads(),
                         links::SpectrumSource* spectrumForFilter = nullptr)
        : pool(threads), windows(pool, spectrumForFilter)
    {
    }
    explicit TestWindows(links::SpectrumSource& spectrumForFilter)
        : TestWindows(common::ThreadPool::MachineThreads(), &spectrumForFilter)
    {
    }

    common::ThreadPool pool;
    links::ProgramWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
};
