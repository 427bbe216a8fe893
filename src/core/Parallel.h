#pragma once
// Splits a range of rows across the cores. Small ranges run on the calling thread.

#include <functional>

int WorkerCount();
// Runs fn(begin, end) on consecutive slices of [0, count); minPerSlice keeps tiny jobs inline.
// An exception thrown by any slice is rethrown here after every slice has ended.
void ParallelFor(int count, const std::function<void(int, int)>& fn, int minPerSlice = 64);
// Like ParallelFor, in at most maxSlices slices (0: one per core); fn(slice, begin, end) gets its
// slice number, below the slice count, so each slice can use its own scratch space.
void ParallelForSlices(int count, int maxSlices, const std::function<void(int, int, int)>& fn);
