#include "capture/enumerators.h"

#include <new>

#include "capture/media_type.h"

PinEnumerator::PinEnumerator(Microsoft::WRL::ComPtr<IUnknown> owner, std::vector<IPin*> pins, ULONG position)
    : ListEnumerator(position), owner_(std::move(owner)), pins_(std::move(pins)) {}

STDMETHODIMP PinEnumerator::Clone(IEnumPins** clone) {
    if (!clone) return E_POINTER;
    *clone = new (std::nothrow) PinEnumerator(owner_, pins_, Position());
    return *clone ? S_OK : E_OUTOFMEMORY;
}

IPin* PinEnumerator::HandOut(ULONG index) const {
    pins_[index]->AddRef();
    return pins_[index];
}

MediaTypeEnumerator::MediaTypeEnumerator(Microsoft::WRL::ComPtr<IUnknown> owner,
                                         std::vector<const AM_MEDIA_TYPE*> types, ULONG position)
    : ListEnumerator(position), owner_(std::move(owner)), types_(std::move(types)) {}

STDMETHODIMP MediaTypeEnumerator::Clone(IEnumMediaTypes** clone) {
    if (!clone) return E_POINTER;
    *clone = new (std::nothrow) MediaTypeEnumerator(owner_, types_, Position());
    return *clone ? S_OK : E_OUTOFMEMORY;
}

AM_MEDIA_TYPE* MediaTypeEnumerator::HandOut(ULONG index) const {
    return CreateMediaTypeCopy(*types_[index]);
}
