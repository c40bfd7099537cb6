#pragma once
// IEnumPins and IEnumMediaTypes over fixed lists. Each enumerator keeps its owner alive, so the
// pins and types it walks stay valid for the enumerator's life.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <vector>

#include "base/com_object.h"

template <typename Interface, typename Item>
class ListEnumerator : public ComObject<Interface> {
public:
    STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
        if (!items || (count > 1 && !fetched)) return E_POINTER;
        ULONG done = 0;
        while (done < count && position_ < Size()) {
            items[done] = HandOut(position_);
            if (!items[done]) break;
            ++done;
            ++position_;
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        if (count > Size() - position_) {
            position_ = Size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }

protected:
    explicit ListEnumerator(ULONG position) : position_(position) {}
    ULONG Position() const { return position_; }
    virtual ULONG Size() const = 0;
    // A new reference (or copy) of the item at the index; null when it cannot be made.
    virtual Item HandOut(ULONG index) const = 0;

private:
    ULONG position_;
};

class PinEnumerator : public ListEnumerator<IEnumPins, IPin*> {
public:
    PinEnumerator(Microsoft::WRL::ComPtr<IUnknown> owner, std::vector<IPin*> pins, ULONG position = 0);
    STDMETHODIMP Clone(IEnumPins** clone) override;

private:
    ULONG Size() const override { return static_cast<ULONG>(pins_.size()); }
    IPin* HandOut(ULONG index) const override;

    Microsoft::WRL::ComPtr<IUnknown> owner_;
    std::vector<IPin*> pins_;
};

class MediaTypeEnumerator : public ListEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE*> {
public:
    MediaTypeEnumerator(Microsoft::WRL::ComPtr<IUnknown> owner, std::vector<const AM_MEDIA_TYPE*> types,
                        ULONG position = 0);
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

private:
    ULONG Size() const override { return static_cast<ULONG>(types_.size()); }
    AM_MEDIA_TYPE* HandOut(ULONG index) const override;

    Microsoft::WRL::ComPtr<IUnknown> owner_;
    std::vector<const AM_MEDIA_TYPE*> types_;
};
