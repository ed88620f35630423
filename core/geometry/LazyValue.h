// A member that nearly every object leaves at its default (the colour and the reference point of
// the nodes, elements and faces of a model): it reads as a default value and takes storage only
// when a value is stored, 8 bytes in place of the value itself.
#pragma once

#include <memory>

template <class T>
class CLazyValue
{
public:
    CLazyValue() = default;
    CLazyValue(const CLazyValue& other) { *this = other; }
    CLazyValue& operator=(const CLazyValue& other)
    {
        if (this != &other)
        {
            if (other.m_value)
                *this = *other.m_value;
            else
                m_value.reset();
        }
        return *this;
    }
    // Assigns as T does: a value stored here behaves as a T member assigned the same way.
    CLazyValue& operator=(const T& value)
    {
        if (!m_value)
            m_value = std::make_unique<T>();
        *m_value = value;
        return *this;
    }

    const T& Get() const { return m_value ? *m_value : Default(); }
    operator const T&() const { return Get(); }

private:
    static const T& Default()
    {
        static const T value;
        return value;
    }

    std::unique_ptr<T> m_value;
};
