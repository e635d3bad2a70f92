#pragma once

#include <stdexcept>

// Raised by the grid's file writers ("Cannot Create file " and the file name).
class EGridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by printing on paper when the page cannot hold a column whole: the printout would
// show that column in part, and a list printed in part must not pass for the whole list.
class EPrintLayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
