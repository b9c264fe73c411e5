// Marks a handler raises for as long as it works (a loading flag, a busy count) and lowers
// however it ends: a return, or a failure that the window layer's handler boundary shows and
// ends the handler with. Without them a mark left raised silences the window for good.
#pragma once

#include <utility>

// Holds a variable at a value for the lifetime of the scope; the value it had comes back
// when the scope ends. Scopes on one variable nest.
template <class Value>
class VqsValueScope {
public:
    VqsValueScope(Value& variable, Value value) : m_variable(variable), m_previous(std::exchange(variable, value)) {}
    ~VqsValueScope() { m_variable = m_previous; }
    VqsValueScope(const VqsValueScope&) = delete;
    VqsValueScope& operator=(const VqsValueScope&) = delete;

private:
    Value& m_variable;
    Value m_previous;
};

// Counts one more on a counter for the lifetime of the scope.
template <class Count>
class VqsCountScope {
public:
    explicit VqsCountScope(Count& count) : m_count(count) { ++m_count; }
    ~VqsCountScope() { --m_count; }
    VqsCountScope(const VqsCountScope&) = delete;
    VqsCountScope& operator=(const VqsCountScope&) = delete;

private:
    Count& m_count;
};
