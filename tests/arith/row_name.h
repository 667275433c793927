#pragma once

#include <gtest/gtest.h>

#include <string>

// Table rows carry their own test name, so a failure names the case.
template <class Row>
std::string rowName(const testing::TestParamInfo<Row> &row)
{
    return row.param.name;
}
