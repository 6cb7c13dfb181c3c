#pragma once
// Finding the windowed control that owns a component.
namespace host {
class TComponent;
class TWinControl;
}  // namespace host

namespace kx {

// Follows the Owner chain up from Component's owner for as long as each owner
// is a windowed control, and returns the last one reached (as a rule the
// form); nil when Component (or its owner) is nil or the owner is not windowed.
host::TWinControl* GetOwnerControl(host::TComponent* Component);

}  // namespace kx
