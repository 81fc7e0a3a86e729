#include "ui/Backend.h"

#include "DefaultBackend.h"

namespace ui {
namespace {

IBackend* installed = nullptr;

}  // namespace

IBackend& Backend() {
    return installed != nullptr ? *installed : detail::DefaultBackend();
}

void SetBackend(IBackend* backend) {
    installed = backend;
}

ScopedBackend::ScopedBackend(IBackend& backend) : previous_(installed) {
    installed = &backend;
}

ScopedBackend::~ScopedBackend() {
    installed = previous_;
}

}  // namespace ui
