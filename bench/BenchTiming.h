#pragma once
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// The median and worst time of `runs` runs of a step, in milliseconds.
struct Figures {
    double median;
    double worst;
};

template <typename F> Figures measure(int runs, F &&step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}
