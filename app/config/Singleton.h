// One lazily created, process-wide object per configuration class. The objects are created, changed
// and deleted on the GUI thread only, so there is no locking.
#pragma once

template <class T>
class _singleton {
public:
    // The one object of T, created on the heap at the first call; T's constructor reads its file.
    static T* Instance() {
        if (instance_ == nullptr) {
            instance_ = new T();
        }
        return instance_;
    }

    // Deletes the object; the next Instance() creates and loads a fresh one. The program calls it at
    // shut-down, the test suites between cases.
    static void DeleteInstance() {
        T* doomed = instance_;
        instance_ = nullptr;
        delete doomed;
    }

protected:
    _singleton() = default;
    ~_singleton() = default;

private:
    static inline T* instance_ = nullptr;
};
