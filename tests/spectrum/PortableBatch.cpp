// The batched transform compiled for plain x86-64 only, as spectrum_portable::TransformGroup.
#define FFT_BATCH_PORTABLE_ONLY
#include "FftBatch.cpp"
