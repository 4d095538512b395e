-- Reopens the session of save-session.lua and prints every Quorvane parameter as the host sees it.
AudioEngine:set_backend("None (Dummy)", "", "")
local s = load_session("/tmp/ardtest/sess", "sess")
assert(s, "no session")
for r in s:get_routes():iter() do
  local p = r:nth_plugin(0)
  if not p:isnil() then
    local pi = p:to_insert():plugin(0)
    for i = 0, pi:parameter_count() - 1 do print("reloaded", i, pi:parameter_label(i), ARDOUR.LuaAPI.get_processor_param(p, i, true)) end
  end
end
close_session()
