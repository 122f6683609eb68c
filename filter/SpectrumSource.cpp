#include "SpectrumSource.h"

#include "Errors.h"

namespace filter {

namespace {

// Reads the spectrum window's members and controls.
// SEAM: the spectrum window (TForm2) is being built on its own branch; until its matrices,
// maxima, edits and raw-data table are public, every read reports that it holds no spectrum.
// Plugging in means returning Form2->SpectrumRe etc. here.
class Form2Source : public SpectrumSource {
public:
    [[noreturn]] static void Missing()
    {
        throw common::InputError("The spectrum window holds no spectrum yet");
    }
    int MatrixSize() override { Missing(); }
    const spectrum::SquareMatrix& SpectrumRe() override { Missing(); }
    const spectrum::SquareMatrix& SpectrumIm() override { Missing(); }
    const spectrum::SquareMatrix& SpectrumMap() override { Missing(); }
    double SpectrumMax() override { Missing(); }
    double RawMax() override { Missing(); }
    QString EditMax() override { Missing(); }
    QString EditMin() override { Missing(); }
    QString EditMaxRaw() override { Missing(); }
    QString EditMinRaw() override { Missing(); }
    void RawValues(int, spectrum::SquareMatrix&) override { Missing(); }
    void ButtonAllClick() override { Missing(); }
};

Form2Source form2Source;
SpectrumSource* installed = nullptr;

} // namespace

SpectrumSource& SpectrumSource::Current() { return installed ? *installed : form2Source; }

void SpectrumSource::Install(SpectrumSource* source) { installed = source; }

} // namespace filter
