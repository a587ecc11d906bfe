// Run-time class records: each own window or application class names itself
// and its base, so that code can ask what an object is without RTTI.
#pragma once

namespace brimel {

struct ClassRecord {
    const char* name;
    const ClassRecord* base;

    // True when this record is `other` or derives from it.
    bool IsDerivedFrom(const ClassRecord* other) const {
        for (const ClassRecord* record = this; record != nullptr; record = record->base)
            if (record == other) return true;
        return false;
    }
};

// The root of every class that carries a record.
class Object {
public:
    static const ClassRecord classRecord;
    virtual ~Object() = default;
    virtual const ClassRecord* GetClassRecord() const { return &classRecord; }
    bool IsKindOf(const ClassRecord* record) const { return GetClassRecord()->IsDerivedFrom(record); }
};

// The object as a T, or null when it is none (or there is no object).
template <class T>
T* ObjectAs(Object* object) {
    return object != nullptr && object->IsKindOf(&T::classRecord) ? static_cast<T*>(object) : nullptr;
}

}  // namespace brimel

// In a class body: the class's record and its accessor.
#define BRIMEL_DECLARE_CLASS(Class)                                                   \
public:                                                                               \
    static const ::brimel::ClassRecord classRecord;                                   \
    const ::brimel::ClassRecord* GetClassRecord() const override { return &classRecord; }

// In the class's source file.
#define BRIMEL_IMPLEMENT_CLASS(Class, Base) \
    const ::brimel::ClassRecord Class::classRecord = {#Class, &Base::classRecord};
