// A titled column of doubles: one column of the result sheet or one curve of the step graph.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/string.h"

class CDataSeries
{
public:
    CDataSeries() = default;
    CDataSeries(const CDataSeries&) = default;
    CDataSeries& operator=(const CDataSeries&) = default;
    virtual ~CDataSeries() = default;

    CArray<double> m_values; // new entries are zero
    int m_flag = 1;
    CString m_title;
};

// The columns of a sheet or graph.
class CDataSeriesArray
{
public:
    // Appends a copy and returns its index.
    INT_PTR Add(const CDataSeries& series) { return m_series.Add(series); }
    INT_PTR GetSize() const { return m_series.GetSize(); }
    const CDataSeries& operator[](INT_PTR index) const { return m_series[index]; }
    CDataSeries& operator[](INT_PTR index) { return m_series[index]; }
    void RemoveAll() { m_series.RemoveAll(); }

private:
    CArray<CDataSeries> m_series;
};
