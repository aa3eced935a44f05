#include "ScopeTraceSet.h"

ScopeTraceSet::ScopeTraceSet (AudioNode& parentNode, const ParameterRecord* zoomRecord, float clearValue)
{
    for (auto& trace : traces)
        trace = std::make_unique<ScopeTrace> (parentNode, zoomRecord, clearValue);
}

void ScopeTraceSet::clearAll() noexcept
{
    for (auto& trace : traces)
        trace->clear();
}

bool ScopeTraceSet::copySnapshot (Snapshot& snapshot) const noexcept
{
    return lock.read ([&]
    {
        snapshot.columns = traces[0]->getColumns();

        for (size_t t = 0; t < (size_t) numTraces; ++t)
        {
            for (int column = 0; column < ScopeTrace::capacity; ++column)
            {
                snapshot.traces[t].minimum[(size_t) column] = traces[t]->minimum (column);
                snapshot.traces[t].maximum[(size_t) column] = traces[t]->maximum (column);
            }
        }
    });
}
