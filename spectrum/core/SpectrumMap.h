#pragma once
// The centred map of one spectral quantity in physical units, and its statistics.
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace spectrum {

// Items of the kind selector; -1 (nothing selected) writes nothing.
enum SpectrumKind { kPower = 0, kAbs = 1, kReal = 2, kImag = 3 };

// map[(u + h) mod n][(v + h) mod n] := the quantity of transform element (u, v), h = n div 2, with
// pixel spacing d in mm: power (re^2 + im^2) d^4 / (n d n d), its square root, or re (im) d d /
// (n d n d). A spacing of 0 fails as 0 / 0 before anything is written.
// Lines of fixed u are shared out among the pool's threads.
void BuildSpectrumMap(const SquareMatrix& re, const SquareMatrix& im, int n, double d, int kind, SquareMatrix& map,
                      common::ThreadPool& pool = common::OneThread());

// Every value v := log10(v), a value not above 0 taken as 0.0001 first (so it becomes -4).
void TakeLogarithm(SquareMatrix& map, int n, common::ThreadPool& pool = common::OneThread());

struct MapStatistics {
    double max = 0;   // outside the centre element, starting from map[1][1]
    double min = 0;
    double mean = 0;  // of all n x n values, centre included, summed line by line of fixed p
};

MapStatistics ComputeMapStatistics(const SquareMatrix& map, int n);

} // namespace spectrum
