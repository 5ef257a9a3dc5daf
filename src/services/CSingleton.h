#pragma once

// Base of the process-wide services: holds the one instance, made on first
// use and kept until the process ends.
template <typename T>
class CSingleton {
public:
    static T* GetInstance()
    {
        if (m_Singleton == nullptr)
            m_Singleton = new T();
        return m_Singleton;
    }

    static T* m_Singleton;
};

template <typename T>
T* CSingleton<T>::m_Singleton = nullptr;
