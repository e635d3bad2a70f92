#pragma once

#include <stdexcept>

// Raised by the grid's file writers ("Cannot Create file " and the file name).
class EGridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
