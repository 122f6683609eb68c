#pragma once
// The three main windows of one run (viewer, spectrum, filter), each given the worker pool and its
// seams to the others, and the viewer's seam for the measurement windows.
// The windows never name each other: what one reads of or does to another goes through the seams
// in this folder, and only the links here know all three.
#include <memory>

#include "SpectrumSource.h"
#include "ThreadPool.h"
#include "ViewerSource.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

namespace links {

class FormLinks;

class ProgramWindows {
public:
    // `spectrumForFilter` replaces what the filter window reads of the spectrum window (tests hand
    // it their own spectrum); not owned.
    explicit ProgramWindows(common::ThreadPool& pool, SpectrumSource* spectrumForFilter = nullptr);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // What the filter window reads as the spectrum window.
    SpectrumSource& SpectrumForFilter() { return spectrumForFilter_; }
    // What the measurement windows read of the viewer, and how they add their launchers to it.
    ViewerSource& Viewer();

private:
    std::unique_ptr<FormLinks> links_;  // made before the windows that hold its seams
    SpectrumSource& spectrumForFilter_;

public:
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
};

} // namespace links
