#pragma once
// IEnumPins / IEnumMediaTypes over a fixed list: `make` hands out item `index` (a new reference
// or a new allocation, as the interface wants). The maker keeps alive what the items come from.
#include <functional>

#include "live_objects.h"

template <typename Interface, typename Item>
class ListEnumerator : public ComObject<Interface> {
public:
    using Maker = std::function<Item*(size_t index)>;
    ListEnumerator(size_t count, Maker make, size_t position = 0)
        : count_(count), make_(std::move(make)), position_(position) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, Item** items, ULONG* fetched) override {
        if (!items || (wanted > 1 && !fetched)) return E_POINTER;
        ULONG count = 0;
        while (count < wanted && position_ < count_) {
            items[count] = make_(position_);
            if (!items[count]) break;
            ++count;
            ++position_;
        }
        if (fetched) *fetched = count;
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const bool whole = position_ + count <= count_;
        position_ = whole ? position_ + count : count_;
        return whole ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** copy) override {
        if (!copy) return E_POINTER;
        *copy = new ListEnumerator(count_, make_, position_);
        return S_OK;
    }

private:
    size_t count_;
    Maker make_;
    size_t position_;
};
