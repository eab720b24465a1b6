;scan_every=10
;play_sound=1
;send_email=0
;smtp=
;port=25
;1recipient=
;2recipient=
10.0.0.7
@mail.example.org

