// Any-value: owns a copy of a value of any copyable type and converts it to and from text.
// XML attributes are any-values: text when read from a file, typed values when set by code.
// A text may also be borrowed (see BorrowText): XML trees keep read values in their own memory.
#ifndef TARN_UTILS_CONTAINERS_CANYCONTAINER_H
#define TARN_UTILS_CONTAINERS_CANYCONTAINER_H

#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

#include "tarn/utils/containers/cvalueref.h"

namespace tarn {

class CAnyContainer {
public:
    CAnyContainer() = default;
    CAnyContainer(const std::string& text) { Set(text); }
    CAnyContainer(const char* text) { Set(std::string(text ? text : "")); }
    template <typename T>
    CAnyContainer(const T& value) {
        Set(value);
    }

    ~CAnyContainer() { Reset(); }
    CAnyContainer(const CAnyContainer& other) { CopyFrom(other); }
    CAnyContainer& operator=(const CAnyContainer& other) {
        if (this != &other) CopyFrom(other);
        return *this;
    }
    // A moved value, borrowed text included, leaves the source empty.
    CAnyContainer(CAnyContainer&& other) noexcept { MoveFrom(other); }
    CAnyContainer& operator=(CAnyContainer&& other) noexcept {
        if (this != &other) MoveFrom(other);
        return *this;
    }

    // A text value that points at text instead of holding a copy: no allocation. The
    // characters must outlive this value and every value moved from it; copies own their text.
    static CAnyContainer BorrowText(std::string_view text) {
        CAnyContainer value;
        value.Borrow(text);
        return value;
    }
    // Makes this value a borrowed text, in place, on the same terms. A text of 4 GB or more
    // is copied instead.
    void Borrow(std::string_view text) {
        if (text.size() > kLongestBorrowed) {
            Set(std::string(text));
            return;
        }
        Reset();
        myStorage.text = text.data() ? text.data() : "";
        myBorrowedSize = static_cast<std::uint32_t>(text.size());
        myIsBorrowed = true;
    }

    template <typename T>
    CAnyContainer& operator=(const T& value) {
        Set(value);
        return *this;
    }
    CAnyContainer& operator=(const char* text) {
        Set(std::string(text ? text : ""));
        return *this;
    }

    bool IsEmpty() const { return !myIsBorrowed && myStorage.holder == nullptr; }

    template <typename T>
    bool IsType() const {
        if (myIsBorrowed) return std::is_same_v<T, std::string>;
        return Holder() != nullptr && Holder()->Type() == typeid(T);
    }

    // The held value when it is of type T, otherwise null. The container keeps ownership.
    // A borrowed text is copied into the container first.
    // The cast itself asks the type, so no path reads a holder as another type's.
    template <typename T>
    T* GetPointer() {
        if constexpr (std::is_same_v<T, std::string>) Own();
        auto* holder = dynamic_cast<CHolder<T>*>(Holder());
        return holder ? &holder->myValue : nullptr;
    }
    template <typename T>
    const T* GetPointer() const {
        if constexpr (std::is_same_v<T, std::string>) Own();
        const auto* holder = dynamic_cast<const CHolder<T>*>(Holder());
        return holder ? &holder->myValue : nullptr;
    }

    // The held value when of type T; otherwise the text form parsed into a T
    // (a value-initialised T when the text does not parse).
    template <typename T>
    T Get() const {
        if constexpr (std::is_same_v<T, std::string>) {
            if (myIsBorrowed) return std::string(Borrowed());
        }
        if (const T* held = GetPointer<T>()) return *held;
        T value{};
        detail::CStreamText<T>::FromText(value, ToText());
        return value;
    }

    // The held text itself, the value formatted as text, or "" when empty.
    std::string ToText() const {
        if (myIsBorrowed) return std::string(Borrowed());
        if (const std::string* text = GetPointer<std::string>()) return *text;
        if (!Holder()) return std::string();
        return Holder()->Ref().ToText();
    }

    // The text, held or borrowed, without a copy; nothing when the value is not a text.
    // The view lives as long as the value is neither changed nor destroyed.
    std::optional<std::string_view> TextView() const {
        if (myIsBorrowed) return Borrowed();
        if (!Holder() || Holder()->Type() != typeid(std::string)) return std::nullopt;
        return std::string_view(static_cast<const CHolder<std::string>*>(Holder())->myValue);
    }

private:
    struct IHolder {
        virtual ~IHolder() = default;
        virtual const std::type_info& Type() const = 0;
        virtual IHolder* Clone() const = 0;
        virtual CValueRef* MakeRef() = 0;
        // The value reference bound to the held copy, made on first use, so that the many
        // text values of a document cost no reference at all.
        const CValueRef& Ref() {
            if (!myRef) myRef.reset(MakeRef());
            return *myRef;
        }
        std::unique_ptr<CValueRef> myRef;
    };
    template <typename T>
    struct CHolder : IHolder {
        explicit CHolder(const T& value) : myValue(value) {}
        const std::type_info& Type() const override { return typeid(T); }
        IHolder* Clone() const override { return new CHolder<T>(myValue); }
        CValueRef* MakeRef() override { return new CValueRefT<T>(&myValue, std::string(), true); }
        T myValue;
    };

    // The longest text that is borrowed rather than copied.
    static constexpr std::size_t kLongestBorrowed = 0xFFFFFFFFu;

    IHolder* Holder() const { return myIsBorrowed ? nullptr : myStorage.holder; }
    std::string_view Borrowed() const { return std::string_view(myStorage.text, myBorrowedSize); }
    // Empties the value, deleting what it holds.
    void Reset() const {
        if (!myIsBorrowed) delete myStorage.holder;
        myStorage.holder = nullptr;
        myBorrowedSize = 0;
        myIsBorrowed = false;
    }
    // Takes a holder made beforehand, so that a value set from its own content stays valid.
    void Hold(IHolder* holder) const {
        Reset();
        myStorage.holder = holder;
    }

    template <typename T>
    void Set(const T& value) {
        Hold(new CHolder<T>(value));
    }
    void CopyFrom(const CAnyContainer& other) {
        if (other.myIsBorrowed) {
            Set(std::string(other.Borrowed()));
            return;
        }
        Hold(other.Holder() ? other.Holder()->Clone() : nullptr);
    }
    void MoveFrom(CAnyContainer& other) {
        Reset();
        myStorage = other.myStorage;
        myBorrowedSize = other.myBorrowedSize;
        myIsBorrowed = other.myIsBorrowed;
        other.myStorage.holder = nullptr;
        other.myBorrowedSize = 0;
        other.myIsBorrowed = false;
    }
    // Turns a borrowed text into a held one, for callers that want a pointer to a string.
    void Own() const {
        if (!myIsBorrowed) return;
        Hold(new CHolder<std::string>(std::string(Borrowed())));
    }

    // The value in 16 bytes: an owned holder, or a borrowed text (see BorrowText) with its
    // length. Mutable so that a borrowed text can become a held one when a pointer to it is
    // asked for. The holder keeps the value reference bound to its copy.
    union CStorage {
        IHolder* holder;
        const char* text;
    };
    mutable CStorage myStorage{nullptr};
    mutable std::uint32_t myBorrowedSize = 0;
    mutable bool myIsBorrowed = false;
};

}  // namespace tarn

#endif
