-- Creates a session with Quorvane on one track, sets three parameters and saves it (Ardour 7, headless).
AudioEngine:set_backend("None (Dummy)", "", "")
local s = create_session("/tmp/ardtest/sess", "sess", 48000)
assert(s, "no session")
local tl = s:new_audio_track(2, 2, nil, 1, "T", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
local p = ARDOUR.LuaAPI.new_plugin(s, "Quorvane", ARDOUR.PluginType.VST3, "")
assert(not p:isnil(), "plugin not found")
tl:front():add_processor_by_index(p, 0, nil, true)
local pi = p:to_insert():plugin(0)
for i = 0, pi:parameter_count() - 1 do
  print(i, pi:parameter_label(i), ARDOUR.LuaAPI.get_processor_param(p, i, true))
end
for _, pv in ipairs({{2, 25}, {4, 6}, {1, 0.25}}) do
  local c = p:to_automatable():automation_control(Evoral.Parameter(ARDOUR.AutomationType.PluginAutomation, 0, pv[1]), false)
  c:set_value(pv[2], PBD.GroupControlDisposition.NoGroup)
  print("set", pv[1], c:get_value())
end
-- Values reach the processor only through the process queues: let the engine run a while before saving.
ARDOUR.LuaAPI.usleep(1000000)
s:save_state("", false, false, false, false, false)
close_session()
