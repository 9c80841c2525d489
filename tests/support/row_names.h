// The name of a parameterised test: its row's `name`, so that ctest lists
// what the row is about rather than its index.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testrows {

struct RowNameOf {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

// As the last argument of INSTANTIATE_TEST_SUITE_P.
inline constexpr RowNameOf RowName{};

}  // namespace testrows
